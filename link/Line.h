#pragma once
// One Modbus line as the workflows see it: its server component, the rows that route its
// answers, and whether its port is open. Waited steps ("set the address, send, wait for the
// answer, tell the operator when it failed") go through step().
#include "link/MBComMaster.h"
#include "link/RouteTable.h"

#include <QString>

#include <functional>

namespace comm {

// What the operator reads when a waited step fails: the workflow's own words and the Result.
// A "%1" in the words takes the Result's place; otherwise it follows them.
struct Failure {
    enum class Tail { ResultText, ResultCode, Nothing };

    QString words;
    Tail tail = Tail::ResultText;
    bool silent = false;  // the workflow ends without a message

    static Failure withText(QString words) { return {std::move(words), Tail::ResultText}; }
    static Failure withCode(QString words) { return {std::move(words), Tail::ResultCode}; }
    static Failure only(QString words) { return {std::move(words), Tail::Nothing}; }
    static Failure quiet() { return {QString(), Tail::Nothing, true}; }

    QString text(int result) const;
};

class Line {
public:
    explicit Line(MBComMaster& server) : server(server) {}
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    MBComMaster& server;
    RouteTable routes;
    // Written only by the line's connection events.
    bool connected = false;

    // Addresses the module, sends the request with `send` and waits for the answer of `qid`
    // in its result slot. On a failed answer shows the failure's message and returns false.
    bool step(quint8 address, int qid, const std::function<void(MBComMaster&)>& send, const Failure& failure);
    // The Result of the latest answer of `qid`.
    int result(int qid) { return routes.slotOf(qid); }
};

}  // namespace comm

#pragma once
// Where each answer of a line goes, by request number. The part of the program that sends a
// request registers its row when it is built: the result slot a waiting workflow watches, the
// decoding of a successful answer, and the display that follows every answer.
#include <QVariant>

#include <functional>
#include <unordered_map>

namespace comm {

// One answer as the server delivers it.
struct Exchange {
    int qid = 0;
    int mbAddr = 0;
    int funNumber = 0;
    QVariant value;
    int result = 0;

    bool ok() const { return result == 0; }
    // Element i of the answer: arrays are indexed from 0; a bare value stands for element 0.
    QVariant element(int i) const;
};

struct Route {
    int* slot = nullptr;                              // the request's result slot; null: none
    std::function<void(const Exchange&)> decode;      // successful answers only
    std::function<void(const Exchange&)> show;        // every answer, after decoding
};

class RouteTable {
public:
    // Registers the row of one request number; a number has one row only.
    void add(int qid, Route route);
    bool has(int qid) const { return m_routes.count(qid) != 0; }
    // Drops the row of a part that goes away before the line: its later answers are dropped.
    void remove(int qid) { m_routes.erase(qid); }
    // The result slot of a request number; asserts that it has one.
    int& slotOf(int qid);

    // The answer is decoded and shown before its slot tells a waiting workflow the Result, so
    // the workflow finds the decoded values in place. Answers without a row are dropped.
    void dispatch(const Exchange& e);

private:
    std::unordered_map<int, Route> m_routes;
};

}  // namespace comm

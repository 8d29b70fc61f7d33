#pragma once
// The dialog "Настройка": restores the default communication settings (address 0, 9600 baud,
// no RTS delay) of every module on the bench line by broadcasting them once at each of the
// five line speeds, which reaches a module whatever speed it is set to. The procedure runs
// inside "Старт" and keeps the window alive in its waits, so "Закрыть" stops it.
#include "ui/forms/FrmInitForm.h"

#include <functional>

namespace shell {
struct Context;
}

namespace bench {

class TFrmInit {
public:
    // Registers the row of the defaults broadcast on the bench line.
    explicit TFrmInit(shell::Context& ctx);

    // "Восстановление настроек" of the technician's menu.
    void show();
    // The bench line's connection event.
    void benchConnectionChanged(bool connected);

    ui::forms::FrmInitForm form;

private:
    void Button1Click();  // "Старт"
    void Button2Click();  // "Закрыть"

    // Returns false when the operator stopped the procedure before its end.
    bool restoreDefaults();
    // Keeps the window alive until `done` holds; false when the operator stopped first.
    bool waitFor(const std::function<bool()>& done);
    void log(const QString& line) { form.Memo1.add(line); }

    shell::Context& m_ctx;
    bool Connecting = false;  // the bench link is up
    int writing = 0;          // -1 while the broadcast is pending, then 1 (Result 0) or 2
    bool InitStop = false;    // the operator asked to stop
};

}  // namespace bench

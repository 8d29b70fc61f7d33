#pragma once
// SetImitFlow: turns a flow rate into the imitation module's count of delayed pulses, writes it
// (with the imitation time for the volume modes), starts the module's imitation and shows the
// flow the count really imitates. Shared by every imitation mode.
#include "modes/ImitationDisplay.h"
#include "shell/context/Context.h"

#include <optional>

namespace modes {

class FlowSetter {
public:
    FlowSetter(shell::Context& ctx, ImitationDisplay& display);

    // point in m3/h; 0 stops the imitation. True when the count was written and the start
    // command accepted (for point 0: the stop command accepted).
    bool SetImitFlow(int point, bool withTime);

private:
    bool stop();
    // The count formula divides by the autocirculations and the delay: refuse without them.
    bool canCount() const;
    // The seconds a volume mode takes at the flow; empty, with a message, when the module
    // cannot hold them.
    std::optional<int> plannedTime(double imitatedFlow) const;
    bool writeTime(int seconds);
    bool writeCommand(int code, const QString& failure);

    shell::Context& m_ctx;
    ImitationDisplay& m_display;
};

}  // namespace modes

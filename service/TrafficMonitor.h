#pragma once
// The window "Обмен по линиям связи" of the service menu. While it is shown it records the
// exchanges of both lines in a bounded log and puts them on the screen a few times a
// second; hidden, it listens to neither line, so nothing is recorded.
//
// "Пауза" lets exchanges pass unrecorded, only counted, rather than keeping them out of
// sight: the screen then stays the log's content, "Сохранить..." writes what the screen
// shows, and what went by during the pause is told as a number instead of being half kept
// by a log that drops its oldest entries meanwhile.
#include "link/MBComMaster.h"
#include "link/TrafficLog.h"
#include "link/TrafficRecorder.h"
#include "ui/forms/TrafficForm.h"

namespace service {

class TrafficMonitor {
public:
    // capacity: of the log; the screen may run a fifth past it before it is cut back to the
    // log's content, so the costly refill of the whole screen comes seldom.
    TrafficMonitor(comm::MBComMaster& bench, comm::MBComMaster& meter, int capacity = comm::TrafficLog::DefaultCapacity);

    // "Обмен по линиям связи" of the service menu.
    void show();
    const comm::TrafficLog& log() const { return m_log; }

    ui::forms::TrafficForm form;

private:
    void formShow();
    void formHide();
    void BtnPauseClick();
    void BtnClearClick();
    void CbxLineChange();
    void EdtAddressChange();
    void BtnSaveClick();
    // The entries recorded since the last tick that pass the filter, added to the memo.
    void showNew();
    // The memo again from the log, through the present filter.
    void showAll();
    void showState();

    comm::TrafficLog m_log;
    comm::TrafficRecorder m_recorder;
    comm::TrafficFilter m_filter;
    quint64 m_shownUpTo = 0;  // entries numbered below it have been through the filter
};

}  // namespace service

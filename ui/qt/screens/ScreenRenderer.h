#pragma once
// Pictures of forms for reviewing layouts without a display: one PNG of each form as
// designed and, for every page control, one per page (pages with hidden tabs included).
#include "ui/model/Form.h"

#include <QDir>
#include <QStringList>

namespace ui::qt {

class ScreenRenderer {
public:
    explicit ScreenRenderer(const QDir& outputDir);
    // Writes <form>.png and <form>-<page>.png; returns the files written.
    QStringList render(Form& form);

private:
    bool save(QWidget& window, const QString& baseName, QStringList& written);

    QDir m_dir;
};

}  // namespace ui::qt

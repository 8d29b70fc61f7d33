#include "ui/qt/screens/ScreenRenderer.h"

#include "ui/qt/FormWindow.h"
#include "ui/qt/widgets/MultiRowTabs.h"

#include <QApplication>
#include <QPixmap>

namespace ui::qt {

ScreenRenderer::ScreenRenderer(const QDir& outputDir) : m_dir(outputDir)
{
    m_dir.mkpath(QStringLiteral("."));
}

QStringList ScreenRenderer::render(Form& form)
{
    QStringList written;
    FormWindow window(form);
    // Shown without the form's own show, so no start-up handler runs.
    window.show();
    QApplication::processEvents();
    save(window, form.name(), written);
    for (Control* c : form.controls()) {
        if (c->kind() != Kind::PageControl)
            continue;
        auto* tabs = static_cast<MultiRowTabs*>(window.widgetOf(c));
        const int designed = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            save(window, form.name() + QLatin1Char('-') + tabs->page(i)->objectName(), written);
        }
        tabs->setCurrentIndex(designed);
    }
    return written;
}

bool ScreenRenderer::save(QWidget& window, const QString& baseName, QStringList& written)
{
    QApplication::processEvents();
    const QString path = m_dir.filePath(baseName + QStringLiteral(".png"));
    if (!window.grab().save(path))
        return false;
    written.append(path);
    return true;
}

}  // namespace ui::qt

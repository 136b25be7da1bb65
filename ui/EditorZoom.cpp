#include "ui/EditorZoom.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QWheelEvent>

namespace {
constexpr qreal kSmallestPoints = 6;
constexpr qreal kMostTimesTheDesign = 4;

// The editor zooms itself (zoomIn, zoomOut) only when read-only, and knows no Ctrl+0: the
// keys and the wheel are taken here, the steps are the editor's own.
class CtrlZoom : public QObject {
public:
    explicit CtrlZoom(QPlainTextEdit &editor)
        : QObject(&editor), m_editor(editor), m_design(editor.font()) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Wheel) {
            const auto *wheel = static_cast<QWheelEvent *>(event);
            if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
                return false;
            zoom(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const int step = stepOf(*static_cast<QKeyEvent *>(event));
        if (step == kNoStep)
            return false;
        if (event->type() == QEvent::KeyPress)
            zoom(step);
        event->accept();
        return true;
    }

private:
    static constexpr int kNoStep = 2;
    static int stepOf(const QKeyEvent &key) {
        if (key.matches(QKeySequence::ZoomIn))
            return 1;
        if (key.matches(QKeySequence::ZoomOut))
            return -1;
        const Qt::KeyboardModifiers others =
            key.modifiers() & ~(Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
        if (!(key.modifiers() & Qt::ControlModifier) || others)
            return kNoStep;
        switch (key.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: // the plus key without Shift
            return 1;
        case Qt::Key_Minus:
            return -1;
        case Qt::Key_0:
            return 0;
        default:
            return kNoStep;
        }
    }
    // A point at a time, stopping at the bounds; 0: the design's font.
    void zoom(int step) {
        if (step == 0) {
            m_editor.setFont(m_design);
            return;
        }
        const qreal size = m_editor.font().pointSizeF();
        const qreal bounded =
            qBound(kSmallestPoints, size + step, m_design.pointSizeF() * kMostTimesTheDesign);
        if (bounded == size + step) {
            step > 0 ? m_editor.zoomIn(1) : m_editor.zoomOut(1);
        } else {
            QFont font = m_editor.font();
            font.setPointSizeF(bounded);
            m_editor.setFont(font);
        }
    }

    QPlainTextEdit &m_editor;
    QFont m_design;
};
} // namespace

void zoomWithCtrl(QPlainTextEdit &editor) {
    auto *zoom = new CtrlZoom(editor);
    editor.installEventFilter(zoom);
    editor.viewport()->installEventFilter(zoom);
}

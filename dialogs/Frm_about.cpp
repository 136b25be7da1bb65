#include "dialogs/Frm_about.h"

#include "Version.h"
#include "ui/AccessibleControls.h"
#include "ui/Colors.h"
#include "ui/FixedDialog.h"
#include "ui/Pictures.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui_Frm_about.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {
const QColor kLightYellow(255, 255, 192);
const QColor kDarkRed(64, 0, 0);
const QColor kBlue(0, 0, 255);
const QString kEmailAddress = QStringLiteral("tarnel@example.org");

void setUnderlined(QLabel *label, bool underlined) {
    QFont font = label->font();
    if (font.underline() == underlined)
        return;
    font.setUnderline(underlined);
    label->setFont(font);
}
} // namespace

std::function<void(const QUrl &)> Frm_about::openLink = [](const QUrl &url) {
    QDesktopServices::openUrl(url);
};

QUrl Frm_about::linkTarget(const QString &labelName) {
    if (labelName == QLatin1String("Txt_homepage"))
        return QUrl(QStringLiteral("https://example.org/tarneljava/"));
    if (labelName == QLatin1String("Txt_update"))
        return QUrl(QStringLiteral("https://example.org/download?soft=tarneljava&ver=") +
                    kProgramVersion);
    if (labelName == QLatin1String("Txt_email"))
        return QUrl(QStringLiteral("mailto:") + kEmailAddress);
    return QUrl();
}

Frm_about::Frm_about(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Frm_about>()) {
    installAccessibleRoles();
    ensureResources();
    ui->setupUi(this);
    finishFixedDialog(*this);
    showPictureForScreen(ui->Image1, QStringLiteral(":/images/banner.png"));
    ui->Lab_softname->setText(kProgramTitle);
    ui->Txt_email->setText(kEmailAddress);
    widenTextsThatWouldBeCut();
    keepTheNameAboveTheFrameLine();
    becomeTheLoadedOne(this);

    for (QWidget *widget :
         {static_cast<QWidget *>(this), static_cast<QWidget *>(ui->Fra_inform),
          static_cast<QWidget *>(ui->Txt_myname), static_cast<QWidget *>(ui->Txt_group),
          static_cast<QWidget *>(ui->Txt_qq)})
        setBackColor(widget, kLightYellow);
    setForeColor(ui->Lab_softname, kDarkRed);
    m_links = {ui->Txt_homepage, ui->Txt_update, ui->Txt_email};
    for (QLabel *link : m_links) {
        setForeColor(link, kBlue);
        markAsLink(link);
    }

    setMouseTracking(true);
    ui->Fra_inform->setMouseTracking(true);
    installEventFilter(this);
    ui->Fra_inform->installEventFilter(this);
    for (QLabel *link : m_links) {
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }
    connect(ui->Cmd_close, &QPushButton::clicked, this, &QDialog::close);

    Form_Load();
}

Frm_about::~Frm_about() = default;

QList<QWidget *> Frm_about::themedControls() const {
    return {ui->Fra_inform};
}

void Frm_about::Form_Load() {
    placeOnPrimaryScreen(*this, kDialogFrame); // centred by its outer size
}

void Frm_about::widenTextsThatWouldBeCut() {
    // The designed widths suit the designed Windows fonts; the stand-in fonts can be a little
    // wider, so a text that would be cut off gets the room it needs to the right.
    for (QWidget *widget : findChildren<QWidget *>()) {
        QString text;
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->pixmap().isNull())
            text = label->text();
        else if (auto *field = qobject_cast<QLineEdit *>(widget))
            text = field->text();
        else
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        const int needed = metrics.horizontalAdvance(text) + 4;
        if (needed > widget->width()) {
            const int room = widget->parentWidget()->width() - 2 - widget->x();
            const int left = needed > room ? widget->x() - (needed - room) : widget->x();
            widget->setGeometry(left, widget->y(), needed, widget->height());
        }
        // Descenders and a link's underline, which lie below the text's baseline, get room
        // downwards; the text stays where it was designed, at the top of its label.
        auto *label = qobject_cast<QLabel *>(widget);
        const int tall = std::max(metrics.height(),
                                  metrics.ascent() + metrics.underlinePos() + metrics.lineWidth()) +
                         1;
        if (label && tall > label->height()) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->resize(label->width(), tall);
        }
        if (auto *field = qobject_cast<QLineEdit *>(widget)) {
            field->setCursorPosition(0);
            // A frameless field shows a line of its font, or cuts the text's ink.
            if (metrics.height() > field->height())
                field->resize(field->width(), metrics.height());
        }
    }
}

void Frm_about::keepTheNameAboveTheFrameLine() {
    // The program's name stands just above the frame's top line: a taller stand-in font would
    // let the line cut through its descenders ("J"). It grows upwards, its text's bottom on the
    // line.
    const int line = ui->Fra_inform->y();
    QLabel *name = ui->Lab_softname;
    const int textHeight = name->fontMetrics().height();
    const Qt::Alignment vertical = name->alignment() & Qt::AlignVertical_Mask;
    const int textTop = vertical == Qt::AlignTop ? name->y()
                        : vertical == Qt::AlignBottom
                            ? name->y() + name->height() - textHeight
                            : name->y() + (name->height() - textHeight) / 2;
    if (textTop + textHeight > line) {
        name->setAlignment((name->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignBottom);
        name->setGeometry(name->x(), line - textHeight, name->width(), textHeight);
    }
}

void Frm_about::linkMouseMove(QLabel *link) {
    link->setCursor(Qt::PointingHandCursor);
    setUnderlined(link, true);
}

void Frm_about::linkMouseDown(QLabel *link) {
    link->setCursor(Qt::PointingHandCursor);
}

void Frm_about::linkClick(QLabel *link) {
    openLink(linkTarget(link->objectName()));
}

void Frm_about::backgroundMouseMove() {
    for (QLabel *link : m_links)
        setUnderlined(link, false);
}

void Frm_about::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // only 确定 and the close box close the box
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Frm_about::eventFilter(QObject *watched, QEvent *event) {
    auto *link = qobject_cast<QLabel *>(watched);
    if (link && m_links.contains(link)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseMove) {
            linkMouseMove(link);
            return true; // handled here, not passed on to the background
        }
        if (event->type() == QEvent::MouseButtonPress) {
            linkMouseDown(link);
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            // A double-click is one click and a double-click, not two clicks.
            m_releaseEndsDoubleClick = true;
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   mouse->button() == Qt::LeftButton) {
            if (std::exchange(m_releaseEndsDoubleClick, false))
                return true;
            if (link->rect().contains(mouse->position().toPoint()))
                linkClick(link);
        }
    } else if (event->type() == QEvent::MouseMove &&
               (watched == this || watched == ui->Fra_inform)) {
        // Only a movement over the bare background of the window or of the frame counts;
        // a movement that reaches them from another control does not.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mapFromGlobal(mouse->globalPosition().toPoint());
        QWidget *under = childAt(at);
        if (under == nullptr || under == ui->Fra_inform)
            backgroundMouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

#include "platform/DateEdit.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString dateFormat = QStringLiteral("dd/MM/yyyy");
const QString dateTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");
} // namespace

DateEdit::DateEdit(QWidget* parent) : QWidget(parent) {
    line = new QLineEdit(this);
    line->setInputMask(QStringLiteral("99/99/9999"));
    line->setAlignment(Qt::AlignCenter);
    line->installEventFilter(this);
    dropButton = new QToolButton(this);
    dropButton->setArrowType(Qt::DownArrow);
    dropButton->setFocusPolicy(Qt::NoFocus);
    dropButton->setCursor(Qt::ArrowCursor);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(line, 1);
    layout->addWidget(dropButton);
    setFocusProxy(line);

    popup = new QFrame(this, Qt::Popup);
    popup->setFrameShape(QFrame::Box);
    popup->installEventFilter(this);
    picker = new QCalendarWidget(popup);
    picker->setGridVisible(true);
    auto* clearButton = new QPushButton(QStringLiteral("Effacer"), popup);
    auto* nowButton = new QPushButton(QStringLiteral("Maintenant"), popup);
    auto* todayButton = new QPushButton(QStringLiteral("Aujourd'hui"), popup);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nowButton);
    buttons->addWidget(todayButton);
    buttons->addWidget(clearButton);
    auto* popupLayout = new QVBoxLayout(popup);
    popupLayout->setContentsMargins(2, 2, 2, 2);
    popupLayout->addWidget(picker);
    popupLayout->addLayout(buttons);

    connect(dropButton, &QToolButton::clicked, this, &DateEdit::showPopup);
    connect(picker, &QCalendarWidget::clicked, this, &DateEdit::pickDate);
    connect(picker, &QCalendarWidget::activated, this, &DateEdit::pickDate);
    connect(clearButton, &QPushButton::clicked, this, &DateEdit::pickNothing);
    connect(nowButton, &QPushButton::clicked, this, &DateEdit::pickNow);
    connect(todayButton, &QPushButton::clicked, this, &DateEdit::pickToday);
    connect(line, &QLineEdit::editingFinished, this, &DateEdit::takeTypedText);
    showValue();
}

void DateEdit::setColours(const QColor& normal, const QColor& focused) {
    line->setStyleSheet(QStringLiteral("QLineEdit { background: %1; } QLineEdit:focus { "
                                       "background: %2; }")
                            .arg(normal.name(), focused.name()));
}

void DateEdit::setValue(const QDateTime& value) {
    QDateTime next = value;
    if (dateOnly && next.isValid())
        next = QDateTime(next.date(), QTime(0, 0));
    if (!next.isValid())
        next = QDateTime();
    const bool changed = next != current || next.isNull() != current.isNull();
    current = next;
    showValue();
    if (changed)
        emit valueChanged();
}

void DateEdit::setDate(QDate date) {
    setValue(date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime());
}

void DateEdit::showValue() {
    if (current.isNull()) {
        line->clear();
        line->setInputMask(QStringLiteral("99/99/9999"));
        return;
    }
    const bool withTime = current.time() != QTime(0, 0);
    line->setInputMask(withTime ? QStringLiteral("99/99/9999 99:99:99")
                                : QStringLiteral("99/99/9999"));
    line->setText(current.toString(withTime ? dateTimeFormat : dateFormat));
}

void DateEdit::takeTypedText() {
    const QString text = line->text().trimmed();
    QDateTime typed = QDateTime::fromString(text, dateTimeFormat);
    if (!typed.isValid())
        typed = QDateTime(QDate::fromString(text, dateFormat), QTime(0, 0));
    if (QString(text).remove(u'/').remove(u':').trimmed().isEmpty())
        setValue(QDateTime());
    else if (typed.isValid())
        setValue(typed);
    else
        showValue(); // an impossible date is not taken; the field shows its value again
}

bool DateEdit::isPopupVisible() const {
    return popup->isVisible();
}

void DateEdit::showPopup() {
    picker->setSelectedDate(current.isNull() ? QDate::currentDate() : current.date());
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(width() - popup->width(), height())));
    popup->show();
    picker->setFocus();
}

void DateEdit::closePopup() {
    popup->hide();
}

// Every way the calendar closes (a day, a button, Escape, a click outside) reports closeUp once,
// from the popup's hide event, after the value has been taken.
void DateEdit::pickDate(QDate date) {
    setDate(date);
    popup->hide();
}

void DateEdit::pickToday() {
    pickDate(QDate::currentDate());
}

void DateEdit::pickNow() {
    setValue(QDateTime::currentDateTime());
    popup->hide();
}

void DateEdit::pickNothing() {
    setValue(QDateTime());
    popup->hide();
}

bool DateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == popup && event->type() == QEvent::Hide) {
        emit closeUp();
        return false;
    }
    if (watched == line && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)) {
            showPopup();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

#pragma once

#include <QDateTime>
#include <QWidget>

class QLineEdit;
class QToolButton;
class QCalendarWidget;
class QFrame;

// A date field: typed through a dd/mm/yyyy mask or picked from a drop-down calendar whose buttons
// clear the value, take the current moment or take today. The value may be empty. It reports the
// calendar closing and every change of its value.
class DateEdit : public QWidget {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

    // Empty (null) when cleared; may carry a time of day (the "now" button) unless date-only.
    QDateTime value() const { return current; }
    QDate date() const { return current.date(); }
    bool isEmpty() const { return current.isNull(); }
    void setValue(const QDateTime& value);
    void setDate(QDate date);
    void clear() { setValue(QDateTime()); }
    // Date-only editors drop the time of day of every value they are given.
    void setDateOnly(bool on) { dateOnly = on; }
    void setColours(const QColor& normal, const QColor& focused);

    QLineEdit* editor() const { return line; }
    QCalendarWidget* calendar() const { return picker; }
    bool isPopupVisible() const;
    void showPopup();
    // Closes the calendar as its buttons do: with a new value, or as it was.
    void closePopup();
    void pickToday();
    void pickNow();
    void pickNothing();
    void pickDate(QDate date);

signals:
    void closeUp();
    void valueChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showValue();
    void takeTypedText();

    QLineEdit* line = nullptr;
    QToolButton* dropButton = nullptr;
    QFrame* popup = nullptr;
    QCalendarWidget* picker = nullptr;
    QDateTime current;
    bool dateOnly = false;
};

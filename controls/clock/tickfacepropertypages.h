#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimeEdit;
class QTreeWidget;
class TickfaceModel;

// The clock's property pages "General", "Format", "Detail" and "Color".
// The pages edit copies of the values; OK and Apply write them to the model
// through its property setters, so every write behaves as an automation
// write does.
class TickfacePropertyPages : public QDialog
{
    Q_OBJECT
public:
    TickfacePropertyPages(TickfaceModel *model, QWidget *parent = nullptr);

    // The date and time formats the "Format" page offers.
    static QStringList dateFormats();
    static QStringList timeFormats();

    void apply();

private:
    QWidget *generalPage();
    QWidget *formatPage();
    QWidget *detailPage();
    QWidget *colorPage();
    void updatePreviews();
    void showColour(int row);

    TickfaceModel *m_model;

    QLineEdit *m_caption = nullptr;
    QComboBox *m_clockType = nullptr;
    QComboBox *m_baseTime = nullptr;
    QComboBox *m_frameType = nullptr;
    QComboBox *m_borderStyle = nullptr;
    QComboBox *m_appearance = nullptr;
    QLineEdit *m_difference = nullptr;
    QCheckBox *m_showDate = nullptr;
    QCheckBox *m_show24 = nullptr;
    QCheckBox *m_showSecond = nullptr;
    QCheckBox *m_showNumber = nullptr;
    QCheckBox *m_showPlate = nullptr;

    QTreeWidget *m_dateList = nullptr;
    QTreeWidget *m_timeList = nullptr;
    QLineEdit *m_dateFormat = nullptr;
    QLineEdit *m_timeFormat = nullptr;
    QLabel *m_datePreview = nullptr;
    QLabel *m_timePreview = nullptr;

    QCheckBox *m_chimeSw = nullptr;
    QLineEdit *m_chimeWav = nullptr;
    QCheckBox *m_alarmSw = nullptr;
    QComboBox *m_alarmSetting = nullptr;
    QTimeEdit *m_alarmTime = nullptr;
    QLineEdit *m_alarmWav = nullptr;
    QComboBox *m_pictureLayout = nullptr;

    QListWidget *m_colourList = nullptr;
    QLabel *m_colourSwatch = nullptr;
    QList<uint> m_colours; // BackColor, HourColor, SecondColor, ForeColor, MinuteColor, NumberColor
};

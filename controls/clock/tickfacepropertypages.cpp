#include "clock/tickfacepropertypages.h"

#include "clock/formatpicture.h"
#include "clock/olecolor.h"
#include "clock/tickfacemodel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char *const colourNames[] = {"BackColor", "HourColor", "SecondColor", "ForeColor", "MinuteColor", "NumberColor"};

// A list of an enumeration's members.  A stored value that is no member
// shows as an empty choice and is written back only when the user picks one.
QComboBox *choices(const QStringList &items, int current, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(current >= 0 && current < items.size() ? current : -1);
    box->setProperty("initialIndex", box->currentIndex());
    return box;
}

bool picked(const QComboBox *box)
{
    return box->currentIndex() >= 0 && box->currentIndex() != box->property("initialIndex").toInt();
}

// A sound path with a button that browses for a wave file.
QWidget *soundRow(QLineEdit *edit, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    auto *browse = new QPushButton(QStringLiteral("参照..."), row);
    layout->addWidget(browse);
    QObject::connect(browse, &QPushButton::clicked, row, [edit, row] {
        const QString path = QFileDialog::getOpenFileName(row, QStringLiteral("サウンド"), QString(),
                                                          QStringLiteral("Wave (*.wav);;* (*)"));
        if (!path.isEmpty())
            edit->setText(path);
    });
    return row;
}

} // namespace

QStringList TickfacePropertyPages::dateFormats()
{
    return {QStringLiteral("dddd, MMMM d, yyyy"), QStringLiteral("MMMM d, yyyy"), QStringLiteral("d MMMM, yyyy"),
            QStringLiteral("d-MMM-yy"), QStringLiteral("MMMM, yy")};
}

QStringList TickfacePropertyPages::timeFormats()
{
    return {QStringLiteral("h:m:s t"), QStringLiteral("h:m:s tt"), QStringLiteral("hh:mm:ss t"),
            QStringLiteral("HH:mm:ss"), QStringLiteral("HH:mm")};
}

TickfacePropertyPages::TickfacePropertyPages(TickfaceModel *model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setWindowTitle(QStringLiteral("Tickface のプロパティ"));
    setObjectName(QStringLiteral("TickfacePropertyPages"));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->addTab(generalPage(), QStringLiteral("General"));
    tabs->addTab(formatPage(), QStringLiteral("Format"));
    tabs->addTab(detailPage(), QStringLiteral("Detail"));
    tabs->addTab(colorPage(), QStringLiteral("Color"));
    layout->addWidget(tabs);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &TickfacePropertyPages::apply);
    updatePreviews();
}

QWidget *TickfacePropertyPages::generalPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_caption = new QLineEdit(m_model->Caption(), page);
    m_clockType = choices({QStringLiteral("0 - TkfAnalog"), QStringLiteral("1 - TkfDigital")}, m_model->ClockType(), page);
    m_baseTime = choices({QStringLiteral("0 - TkfLocal"), QStringLiteral("1 - TkfGMT"), QStringLiteral("2 - TkfUserSet")},
                         m_model->BaseTime(), page);
    m_frameType = choices({QStringLiteral("0 - TkfFrameRectangle"), QStringLiteral("1 - TkfFrameCircle"),
                           QStringLiteral("2 - TkfFrameTransparent")},
                          m_model->FrameType(), page);
    m_borderStyle = choices({QStringLiteral("0 - TkfBorderNone"), QStringLiteral("1 - TkfBorderFixedSingle")},
                            m_model->BorderStyle(), page);
    m_appearance = choices({QStringLiteral("0 - TkfAppFlat"), QStringLiteral("1 - TkfApp3D")}, m_model->Appearance(), page);
    m_difference = new QLineEdit(m_model->DifferenceTime(), page);
    m_difference->setPlaceholderText(QStringLiteral("+09:00"));
    m_showDate = new QCheckBox(QStringLiteral("ShowDate"), page);
    m_showDate->setChecked(m_model->ShowDate());
    m_show24 = new QCheckBox(QStringLiteral("Show24"), page);
    m_show24->setChecked(m_model->Show24());
    m_showSecond = new QCheckBox(QStringLiteral("ShowSecond"), page);
    m_showSecond->setChecked(m_model->ShowSecond());
    m_showNumber = new QCheckBox(QStringLiteral("ShowNumber"), page);
    m_showNumber->setChecked(m_model->ShowNumber());
    m_showPlate = new QCheckBox(QStringLiteral("ShowPlate"), page);
    m_showPlate->setChecked(m_model->ShowPlate());
    form->addRow(QStringLiteral("Caption"), m_caption);
    form->addRow(QStringLiteral("ClockType"), m_clockType);
    form->addRow(QStringLiteral("BaseTime"), m_baseTime);
    form->addRow(QStringLiteral("DifferenceTime"), m_difference);
    form->addRow(QStringLiteral("FrameType"), m_frameType);
    form->addRow(QStringLiteral("BorderStyle"), m_borderStyle);
    form->addRow(QStringLiteral("Appearance"), m_appearance);
    for (QCheckBox *box : {m_showDate, m_show24, m_showSecond, m_showNumber, m_showPlate})
        form->addRow(box);
    return page;
}

QWidget *TickfacePropertyPages::formatPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto makeList = [page](const QStringList &formats, const QString &heading) {
        auto *list = new QTreeWidget(page);
        list->setColumnCount(2);
        list->setHeaderLabels({heading, QStringLiteral("プレビュー")});
        list->setRootIsDecorated(false);
        for (const QString &f : formats)
            list->addTopLevelItem(new QTreeWidgetItem({f, QString()}));
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        return list;
    };
    m_dateList = makeList(dateFormats(), QStringLiteral("DateFormat"));
    m_dateList->setObjectName(QStringLiteral("dateFormatList"));
    m_timeList = makeList(timeFormats(), QStringLiteral("TimeFormat"));
    m_timeList->setObjectName(QStringLiteral("timeFormatList"));
    m_dateFormat = new QLineEdit(m_model->DateFormat(), page);
    m_dateFormat->setObjectName(QStringLiteral("dateFormat"));
    m_timeFormat = new QLineEdit(m_model->TimeFormat(), page);
    m_timeFormat->setObjectName(QStringLiteral("timeFormat"));
    m_datePreview = new QLabel(page);
    m_datePreview->setObjectName(QStringLiteral("datePreview"));
    m_timePreview = new QLabel(page);
    m_timePreview->setObjectName(QStringLiteral("timePreview"));

    auto *dateForm = new QFormLayout;
    dateForm->addRow(QStringLiteral("DateFormat"), m_dateFormat);
    dateForm->addRow(QStringLiteral("プレビュー"), m_datePreview);
    auto *timeForm = new QFormLayout;
    timeForm->addRow(QStringLiteral("TimeFormat"), m_timeFormat);
    timeForm->addRow(QStringLiteral("プレビュー"), m_timePreview);
    layout->addWidget(m_dateList);
    layout->addLayout(dateForm);
    layout->addWidget(m_timeList);
    layout->addLayout(timeForm);

    connect(m_dateList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            m_dateFormat->setText(item->text(0));
    });
    connect(m_timeList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            m_timeFormat->setText(item->text(0));
    });
    connect(m_dateFormat, &QLineEdit::textChanged, this, &TickfacePropertyPages::updatePreviews);
    connect(m_timeFormat, &QLineEdit::textChanged, this, &TickfacePropertyPages::updatePreviews);
    return page;
}

QWidget *TickfacePropertyPages::detailPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_chimeSw = new QCheckBox(QStringLiteral("ChimeSw"), page);
    m_chimeSw->setChecked(m_model->ChimeSw());
    m_chimeWav = new QLineEdit(m_model->ChimeWav(), page);
    m_alarmSw = new QCheckBox(QStringLiteral("AlarmSw"), page);
    m_alarmSw->setChecked(m_model->AlarmSw());
    m_alarmSw->setProperty("initialChecked", m_model->AlarmSw());
    m_alarmSetting = choices({QStringLiteral("0 - TkfOnce"), QStringLiteral("1 - TkfEveryday")}, m_model->AlarmSetting(), page);
    m_alarmTime = new QTimeEdit(m_model->alarmTime().time(), page);
    m_alarmTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_alarmWav = new QLineEdit(m_model->AlarmWav(), page);
    m_pictureLayout = choices({QStringLiteral("0 - TkfCenter"), QStringLiteral("1 - TkfTile"), QStringLiteral("2 - TkfStretch")},
                              m_model->PictureLayout(), page);
    form->addRow(m_chimeSw);
    form->addRow(QStringLiteral("ChimeWav"), soundRow(m_chimeWav, page));
    form->addRow(m_alarmSw);
    form->addRow(QStringLiteral("AlarmSetting"), m_alarmSetting);
    form->addRow(QStringLiteral("AlarmTime"), m_alarmTime);
    form->addRow(QStringLiteral("AlarmWav"), soundRow(m_alarmWav, page));
    form->addRow(QStringLiteral("PictureLayout"), m_pictureLayout);
    return page;
}

QWidget *TickfacePropertyPages::colorPage()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    m_colours = {m_model->BackColor(), m_model->HourColor(), m_model->SecondColor(),
                 m_model->ForeColor(), m_model->MinuteColor(), m_model->NumberColor()};
    m_colourList = new QListWidget(page);
    m_colourList->setObjectName(QStringLiteral("colourList"));
    for (const char *name : colourNames)
        m_colourList->addItem(QString::fromLatin1(name));
    layout->addWidget(m_colourList);
    auto *right = new QVBoxLayout;
    m_colourSwatch = new QLabel(page);
    m_colourSwatch->setFixedSize(64, 32);
    m_colourSwatch->setAutoFillBackground(true);
    auto *choose = new QPushButton(QStringLiteral("色の選択..."), page);
    right->addWidget(m_colourSwatch);
    right->addWidget(choose);
    right->addStretch();
    layout->addLayout(right);
    connect(m_colourList, &QListWidget::currentRowChanged, this, &TickfacePropertyPages::showColour);
    connect(choose, &QPushButton::clicked, this, [this] {
        const int row = m_colourList->currentRow();
        if (row < 0)
            return;
        const QColor c = QColorDialog::getColor(tickface::fromOleColor(m_colours[row]), this);
        if (c.isValid()) {
            m_colours[row] = tickface::toOleColor(c);
            showColour(row);
        }
    });
    m_colourList->setCurrentRow(0);
    return page;
}

void TickfacePropertyPages::showColour(int row)
{
    if (row < 0 || row >= m_colours.size())
        return;
    QPalette pal = m_colourSwatch->palette();
    pal.setColor(QPalette::Window, tickface::fromOleColor(m_colours[row]));
    m_colourSwatch->setPalette(pal);
}

void TickfacePropertyPages::updatePreviews()
{
    const QDateTime now = m_model->clockTime();
    const QLocale locale = m_model->locale();
    for (int i = 0; i < m_dateList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_dateList->topLevelItem(i);
        item->setText(1, tickface::formatDatePicture(now, item->text(0), locale));
    }
    for (int i = 0; i < m_timeList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_timeList->topLevelItem(i);
        item->setText(1, tickface::formatTimePicture(now, item->text(0), locale));
    }
    m_datePreview->setText(tickface::formatDatePicture(now, m_dateFormat->text(), locale));
    m_timePreview->setText(tickface::formatTimePicture(now, m_timeFormat->text(), locale));
}

void TickfacePropertyPages::apply()
{
    TickfaceModel *m = m_model;
    // Only changed values are written, so that Apply does not replay sounds
    // or re-arm the alarm for values left alone.
    if (m_caption->text() != m->Caption())
        m->setCaption(m_caption->text());
    if (picked(m_clockType))
        m->setClockType(short(m_clockType->currentIndex()));
    if (picked(m_baseTime))
        m->setBaseTime(short(m_baseTime->currentIndex()));
    if (m_difference->text() != m->DifferenceTime())
        m->setDifferenceTime(m_difference->text());
    if (picked(m_frameType))
        m->setFrameType(short(m_frameType->currentIndex()));
    if (picked(m_borderStyle))
        m->setBorderStyle(short(m_borderStyle->currentIndex()));
    if (picked(m_appearance))
        m->setAppearance(short(m_appearance->currentIndex()));
    if (m_showDate->isChecked() != m->ShowDate())
        m->setShowDate(m_showDate->isChecked());
    if (m_show24->isChecked() != m->Show24())
        m->setShow24(m_show24->isChecked());
    if (m_showSecond->isChecked() != m->ShowSecond())
        m->setShowSecond(m_showSecond->isChecked());
    if (m_showNumber->isChecked() != m->ShowNumber())
        m->setShowNumber(m_showNumber->isChecked());
    if (m_showPlate->isChecked() != m->ShowPlate())
        m->setShowPlate(m_showPlate->isChecked());

    if (m_dateFormat->text() != m->DateFormat())
        m->setDateFormat(m_dateFormat->text());
    if (m_timeFormat->text() != m->TimeFormat())
        m->setTimeFormat(m_timeFormat->text());

    if (m_chimeSw->isChecked() != m->ChimeSw())
        m->setChimeSw(m_chimeSw->isChecked());
    if (m_chimeWav->text() != m->ChimeWav())
        m->setChimeWav(m_chimeWav->text());
    if (picked(m_alarmSetting))
        m->setAlarmSetting(short(m_alarmSetting->currentIndex()));
    if (m_alarmTime->time() != m->alarmTime().time()) {
        QDateTime t = m->alarmTime();
        t.setTime(m_alarmTime->time());
        m->setAlarmTimeValue(t);
    }
    if (m_alarmWav->text() != m->AlarmWav())
        m->setAlarmWav(m_alarmWav->text());
    // Writing the alarm time or setting arms the alarm; the box overrides
    // that only when the user changed it.
    if (m_alarmSw->isChecked() != m_alarmSw->property("initialChecked").toBool())
        m->setAlarmSw(m_alarmSw->isChecked());
    m_alarmSw->setChecked(m->AlarmSw());
    m_alarmSw->setProperty("initialChecked", m->AlarmSw());
    if (picked(m_pictureLayout))
        m->setPictureLayout(short(m_pictureLayout->currentIndex()));

    for (QComboBox *box : {m_clockType, m_baseTime, m_frameType, m_borderStyle, m_appearance, m_alarmSetting, m_pictureLayout})
        box->setProperty("initialIndex", box->currentIndex());

    const QList<uint> now = {m->BackColor(), m->HourColor(), m->SecondColor(), m->ForeColor(), m->MinuteColor(), m->NumberColor()};
    for (int i = 0; i < m_colours.size(); ++i) {
        if (m_colours[i] != now[i])
            m->setProperty(colourNames[i], m_colours[i]);
    }
}

#include "console/maintenance/frmclient.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/filedialogs.h"
#include "console/maintenance/keyfilter.h"
#include "store/logging.h"
#include "store/settings.h"
#include "store/sitepaths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace console {

namespace {

const QString Digits = QStringLiteral("0123456789");

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QLineEdit *numberBox(QWidget *parent, const char *name, int width = 72)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignRight);
    KeyFilter::install(box, Digits);
    return box;
}

} // namespace

FrmClient::FrmClient(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    buildForm();
    load();
}

FrmClient::~FrmClient() = default;

void FrmClient::buildForm()
{
    setObjectName(QStringLiteral("frmClient"));
    setWindowTitle(QStringLiteral("環境設定"));

    // Window placement.
    auto *fraSize = new QGroupBox(QStringLiteral("画面の位置とサイズ (twip)"), this);
    OptSize1 = new QRadioButton(QStringLiteral("指定する"), fraSize);
    OptSize1->setObjectName(QStringLiteral("OptSize1"));
    OptSize2 = new QRadioButton(QStringLiteral("全画面"), fraSize);
    OptSize2->setObjectName(QStringLiteral("OptSize2"));
    txtX = numberBox(fraSize, "txtX");
    txtY = numberBox(fraSize, "txtY");
    txtWidth = numberBox(fraSize, "txtWidth");
    txtHeight = numberBox(fraSize, "txtHeight");
    lblWidth = new QLabel(fraSize);
    lblWidth->setObjectName(QStringLiteral("lblWidth"));
    lblHeight = new QLabel(fraSize);
    lblHeight->setObjectName(QStringLiteral("lblHeight"));
    auto *sizeGroup = new QButtonGroup(fraSize);
    sizeGroup->addButton(OptSize1);
    sizeGroup->addButton(OptSize2);
    connect(OptSize1, &QRadioButton::clicked, this, &FrmClient::OptSize1_Click);
    connect(OptSize2, &QRadioButton::clicked, this, &FrmClient::OptSize2_Click);
    auto *sizeGrid = new QGridLayout(fraSize);
    sizeGrid->addWidget(OptSize2, 0, 0);
    sizeGrid->addWidget(OptSize1, 0, 1, 1, 3);
    sizeGrid->addWidget(new QLabel(QStringLiteral("左 (X)"), fraSize), 1, 0);
    sizeGrid->addWidget(txtX, 1, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("上 (Y)"), fraSize), 1, 2);
    sizeGrid->addWidget(txtY, 1, 3);
    sizeGrid->addWidget(new QLabel(QStringLiteral("幅"), fraSize), 2, 0);
    sizeGrid->addWidget(txtWidth, 2, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("高さ"), fraSize), 2, 2);
    sizeGrid->addWidget(txtHeight, 2, 3);
    sizeGrid->addWidget(new QLabel(QStringLiteral("画面の幅"), fraSize), 3, 0);
    sizeGrid->addWidget(lblWidth, 3, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("画面の高さ"), fraSize), 3, 2);
    sizeGrid->addWidget(lblHeight, 3, 3);

    // Front-most.
    auto *fraZenMen = new QGroupBox(QStringLiteral("最前面表示"), this);
    optZenMen1 = new QRadioButton(QStringLiteral("する"), fraZenMen);
    optZenMen1->setObjectName(QStringLiteral("optZenMen1"));
    optZenMen2 = new QRadioButton(QStringLiteral("しない"), fraZenMen);
    optZenMen2->setObjectName(QStringLiteral("optZenMen2"));
    auto *zenGroup = new QButtonGroup(fraZenMen);
    zenGroup->addButton(optZenMen1);
    zenGroup->addButton(optZenMen2);
    auto *zenRow = new QHBoxLayout(fraZenMen);
    zenRow->addWidget(optZenMen1);
    zenRow->addWidget(optZenMen2);
    zenRow->addStretch();

    // Fonts and the group column.
    auto *fraFont = new QGroupBox(QStringLiteral("表示"), this);
    txtFontSize = numberBox(fraFont, "txtFontSize");
    txtTimeFontSize = numberBox(fraFont, "txtTimeFontSize");
    txtGPWidth = numberBox(fraFont, "txtGPWidth");
    auto *fontGrid = new QGridLayout(fraFont);
    fontGrid->addWidget(new QLabel(QStringLiteral("チャートの文字サイズ"), fraFont), 0, 0);
    fontGrid->addWidget(txtFontSize, 0, 1);
    fontGrid->addWidget(new QLabel(QStringLiteral("時計の文字サイズ"), fraFont), 1, 0);
    fontGrid->addWidget(txtTimeFontSize, 1, 1);
    fontGrid->addWidget(new QLabel(QStringLiteral("グループ名称の幅"), fraFont), 2, 0);
    fontGrid->addWidget(txtGPWidth, 2, 1);
    fontGrid->setColumnStretch(2, 1);

    // Client or server.
    chkClient = new QCheckBox(QStringLiteral("クライアントとして使用する"), this);
    chkClient->setObjectName(QStringLiteral("chkClient"));
    connect(chkClient, &QCheckBox::clicked, this, &FrmClient::chkClient_Click);
    fraClient = new QGroupBox(QStringLiteral("サーバー側データベース"), this);
    fraClient->setObjectName(QStringLiteral("fraClient"));
    txtServerDBName = new QLineEdit(fraClient);
    txtServerDBName->setObjectName(QStringLiteral("txtServerDBName"));
    Command1 = new QPushButton(QStringLiteral("参照"), fraClient);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto *clientRow = new QHBoxLayout(fraClient);
    clientRow->addWidget(txtServerDBName, 1);
    clientRow->addWidget(Command1);

    // Operation log and the runner's catch-up.
    auto *fraLog = new QGroupBox(QStringLiteral("操作ログ"), this);
    Option4 = new QRadioButton(QStringLiteral("出力する"), fraLog);
    Option4->setObjectName(QStringLiteral("Option4"));
    Option3 = new QRadioButton(QStringLiteral("出力しない"), fraLog);
    Option3->setObjectName(QStringLiteral("Option3"));
    auto *logGroup = new QButtonGroup(fraLog);
    logGroup->addButton(Option4);
    logGroup->addButton(Option3);
    txtLogPath = new QLineEdit(fraLog);
    txtLogPath->setObjectName(QStringLiteral("txtLogPath"));
    Command4 = new QPushButton(QStringLiteral("参照"), fraLog);
    Command4->setObjectName(QStringLiteral("Command4"));
    auto *logGrid = new QGridLayout(fraLog);
    logGrid->addWidget(Option4, 0, 0);
    logGrid->addWidget(Option3, 0, 1);
    logGrid->addWidget(new QLabel(QStringLiteral("フォルダ"), fraLog), 1, 0);
    logGrid->addWidget(txtLogPath, 1, 1, 1, 2);
    logGrid->addWidget(Command4, 1, 3);
    logGrid->setColumnStretch(2, 1);
    Check1 = new QCheckBox(QStringLiteral("スケジュール管理の起動時に現在の状態を出力しない"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    Command3 = new QPushButton(QStringLiteral("登録"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *b : {Command1, Command2, Command3, Command4}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
    }
    connect(Command1, &QPushButton::clicked, this, &FrmClient::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmClient::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmClient::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmClient::Command4_Click);

    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(fraSize);
    left->addWidget(fraZenMen);
    top->addLayout(left);
    top->addWidget(fraFont, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chkClient);
    layout->addWidget(fraClient);
    layout->addWidget(fraLog);
    layout->addWidget(Check1);
    layout->addLayout(buttons);
    setMinimumWidth(620);
}

void FrmClient::load()
{
    const store::Settings &s = m_state.settings();
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize();
    lblHeight->setText(QString::number(screen.height() * 15));
    lblWidth->setText(QString::number(screen.width() * 15));

    const bool placed = s.readLocal(store::ini::Size, store::ini::SizeFlg) == QStringLiteral("1");
    (placed ? OptSize1 : OptSize2)->setChecked(true);
    txtX->setText(s.readLocal(store::ini::Size, store::ini::Left));
    txtY->setText(s.readLocal(store::ini::Size, store::ini::Top));
    txtHeight->setText(s.readLocal(store::ini::Size, store::ini::Height));
    txtWidth->setText(s.readLocal(store::ini::Size, store::ini::Width));
    enablePosition(placed);
    (s.readLocal(store::ini::Gamen, store::ini::ZFlg) == QStringLiteral("1") ? optZenMen1 : optZenMen2)->setChecked(true);

    txtFontSize->setText(QString::number(s.chartFontSize()));
    txtTimeFontSize->setText(QString::number(s.clockFontSize()));
    txtGPWidth->setText(QString::number(s.chartGroupWidth()));

    // Only shown: the console's database stays what it is until a save.
    const bool client = s.isClient();
    chkClient->setChecked(client);
    fraClient->setEnabled(client);
    txtServerDBName->setText(s.clientDatabase());

    (s.opLogEnabled() ? Option4 : Option3)->setChecked(true);
    txtLogPath->setText(s.opLogFolder());
    Check1->setChecked(s.loadFlag() == 1);
}

void FrmClient::enablePosition(bool on)
{
    for (QLineEdit *box : {txtX, txtY, txtWidth, txtHeight})
        box->setEnabled(on);
}

void FrmClient::OptSize1_Click()
{
    enablePosition(true);
}

void FrmClient::OptSize2_Click()
{
    enablePosition(false);
}

void FrmClient::chkClient_Click()
{
    fraClient->setEnabled(chkClient->isChecked());
}

void FrmClient::Command1_Click()
{
    const QString current = txtServerDBName->text();
    const QString chosen = chooseDatabaseFile(this, QStringLiteral("サーバー側データベースの指定"),
                                              current.isEmpty() ? QStringLiteral("Sch.accdb") : current,
                                              m_state.programFolder());
    if (!chosen.isEmpty())
        txtServerDBName->setText(chosen);
}

void FrmClient::Command2_Click()
{
    reject();
}

void FrmClient::Command4_Click()
{
    txtLogPath->setText(ShowFoldersModule(this, txtLogPath->text(), QStringLiteral("フォルダを指定してください")));
}

void FrmClient::Command3_Click()
{
    if (!m_state.messages().confirm(this, QStringLiteral("設定内容を登録します よろしいですか？"), false))
        return;
    const store::Settings &s = m_state.settings();
    using namespace store::ini;

    // Window placement and front-most: in effect at the next start.
    s.writeLocal(Size, SizeFlg, flagText(OptSize1->isChecked()));
    s.writeLocal(Size, Left, txtX->text());
    s.writeLocal(Size, Top, txtY->text());
    s.writeLocal(Size, Width, txtWidth->text());
    s.writeLocal(Size, Height, txtHeight->text());
    s.writeLocal(Gamen, ZFlg, flagText(optZenMen1->isChecked()));

    // Font sizes and the group column: an empty box stores the default.
    s.setChartFontSize(txtFontSize->text());
    s.setClockFontSize(txtTimeFontSize->text());
    s.setChartGroupWidth(txtGPWidth->text());
    emit displaySaved(store::settingsInteger(txtFontSize->text(), store::Settings::DefaultChartFontSize),
                      store::settingsInteger(txtTimeFontSize->text(), store::Settings::DefaultClockFontSize),
                      store::settingsInteger(txtGPWidth->text(), store::Settings::DefaultChartGroupWidth));

    // Client or server.
    if (chkClient->isChecked() && txtServerDBName->text().isEmpty()) {
        m_state.messages().inform(this, QStringLiteral("サーバー側データベース名を指定して下さい。"), true);
    } else if (chkClient->isChecked()) {
        const QString path = txtServerDBName->text();
        s.setClientFlag(1);
        s.setClientDatabase(path);
        m_state.ClientMode = true;
        m_state.setDatabasePath(path);
        emit clientModeSaved(true);
    } else {
        // The server's name stays stored for a later switch back.
        s.setClientFlag(0);
        m_state.ClientMode = false;
        m_state.setDatabaseFolder(store::paths::databaseFolderOf(store::paths::databasePath(m_state.programFolder())));
        emit clientModeSaved(false);
    }

    // The operation log and the runner's catch-up.
    s.setOpLogEnabled(Option4->isChecked());
    s.setOpLogFolder(txtLogPath->text());
    store::configureLogs(s, m_state.programFolder());
    s.setLoadFlag(Check1->isChecked() ? 1 : 0);

    m_state.messages().inform(
        this, QStringLiteral("画面サイズや最前面設定の変更はPlanboard.exeを一旦閉じて、再度実行して下さい。"), false);
    accept();
}

} // namespace console

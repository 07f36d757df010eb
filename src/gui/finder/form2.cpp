#include "gui/finder/form2.h"
#include "core/blank_trim.h"
#include "core/carrier_catalogue.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {
// The keyword a quick button searches for: its Chinese caption, whatever the shown caption's language.
const char *const kKeyword = "keyword";

// Positions of the design, in pixels (twips / 15).
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    // Enter in the keyword box must not press anything.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// The carrier a quick button chooses, as the interface shows it: the last entry holding its keyword.
QString quickCarrierName(const QString &keyword)
{
    for (int i = kCarrierCount - 1; i >= 0; --i) {
        if (carrierName(i).contains(keyword))
            return carrierShownName(i);
    }
    return QString();
}

} // namespace

Form2::Form2(const CarrierBoxes &main, QWidget *parent)
    : QDialog(parent)
    , m_main(main)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("搜索物流公司"));
    setFixedSize(kClientWidth, kClientHeight);
    // The design's font, so that captions fit the design's control sizes.
    QFont designFont = font();
    designFont.setPixelSize(12);
    setFont(designFont);

    const QString frameCaption = tr("请输入公司名称关键字");
    Frame1 = new QGroupBox(frameCaption, this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(16, 16, 369, 65);
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(16, 24, 209, 18);
    // The frame's caption is the box's only label.
    Text1->setAccessibleName(frameCaption);
    Command1 = makeButton(Frame1, "Command1", tr("搜索"), QRect(232, 16, 129, 33));

    Frame2 = new QGroupBox(tr("常用物流公司"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(16, 96, 369, 105);
    const struct
    {
        QPushButton *&button;
        const char *name;
        const char *caption;
        int left, top;
    } quick[] = {
        {Command2, "Command2", QT_TR_NOOP("申通"), 8, 24},
        {Command3, "Command3", "EMS", 80, 24},
        {Command4, "Command4", QT_TR_NOOP("顺丰"), 152, 24},
        {Command5, "Command5", QT_TR_NOOP("圆通"), 224, 24},
        {Command6, "Command6", QT_TR_NOOP("中通"), 296, 24},
        {Command7, "Command7", QT_TR_NOOP("汇通"), 8, 64},
        {Command8, "Command8", QT_TR_NOOP("韵达"), 80, 64},
        {Command9, "Command9", QT_TR_NOOP("程光"), 152, 64},
        {Command10, "Command10", QT_TR_NOOP("全峰"), 224, 64},
        {Command11, "Command11", QT_TR_NOOP("宅急送"), 296, 64},
    };
    for (const auto &q : quick) {
        q.button = makeButton(Frame2, q.name, tr(q.caption), QRect(q.left, q.top, 65, 25));
        q.button->setProperty(kKeyword, QString::fromUtf8(q.caption));
        // A caption shortened in another language: the carrier's full name on the button's tip.
        if (q.button->text() != QString::fromUtf8(q.caption))
            q.button->setToolTip(quickCarrierName(q.button->property(kKeyword).toString()));
    }
    setTabOrder(Text1, Command1);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form2::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form2::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form2::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form2::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form2::Command11_Click);
    Form_Load();
}

std::array<QPushButton *, 10> Form2::quickButtons() const
{
    return {Command2, Command3, Command4, Command5,  Command6,
            Command7, Command8, Command9, Command10, Command11};
}

void Form2::Form_Load()
{
    // No icon in the title bar: a transparent one, as an empty icon would fall back to the program's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
}

bool Form2::selectMatches(const QString &keyword)
{
    bool found = false;
    QComboBox *carriers = m_main.Combo1;
    for (int i = 0; i < carriers->count(); ++i) {
        // The keyword may name the carrier as the box shows it, as stored, or as the interface shows it.
        if (!carriers->itemText(i).contains(keyword, Qt::CaseSensitive)
            && !carrierName(i).contains(keyword, Qt::CaseSensitive)
            && !carrierShownName(i).contains(keyword, Qt::CaseSensitive))
            continue;
        found = true;
        // Choosing an entry looks up its service code, even when it is chosen already.
        if (carriers->currentIndex() == i)
            m_main.Combo1_Click();
        else
            carriers->setCurrentIndex(i);
        m_main.Text5->setCurrentIndex(i);
    }
    return found;
}

void Form2::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        m_main.message(tr("请输入物流公司关键字"));
        return;
    }
    if (selectMatches(trimBlanks(Text1->text()))) {
        m_main.setStatus(tr("找到【%1】，是否为您要找的公司?").arg(m_main.Combo1->currentText()));
    }
    accept();
}

void Form2::quickChoice(QPushButton *button)
{
    selectMatches(trimBlanks(button->property(kKeyword).toString()));
    accept();
}

void Form2::Command2_Click()
{
    quickChoice(Command2);
}
void Form2::Command3_Click()
{
    quickChoice(Command3);
}
void Form2::Command4_Click()
{
    quickChoice(Command4);
}
void Form2::Command5_Click()
{
    quickChoice(Command5);
}
void Form2::Command6_Click()
{
    quickChoice(Command6);
}
void Form2::Command7_Click()
{
    quickChoice(Command7);
}
void Form2::Command8_Click()
{
    quickChoice(Command8);
}
void Form2::Command9_Click()
{
    quickChoice(Command9);
}
void Form2::Command10_Click()
{
    quickChoice(Command10);
}
void Form2::Command11_Click()
{
    quickChoice(Command11);
}

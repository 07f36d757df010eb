#include "gui/widgets/carrier_hint.h"

#include "core/carrier_catalogue.h"
#include "core/carrier_guess.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace {
constexpr int kSpacing = 6;
} // namespace

CarrierHint::CarrierHint(QWidget *panel, const QRect &place, QComboBox *number, QComboBox *carriers)
    : QWidget(panel)
    , m_number(number)
    , m_carriers(carriers)
{
    setObjectName(QStringLiteral("carrierHint"));
    setGeometry(place);
    m_caption = new QLabel(tr("可能是："), this);
    m_caption->setObjectName(QStringLiteral("carrierHintCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->adjustSize();
    m_caption->move(0, (height() - m_caption->height()) / 2);

    // Names look like links on the panel's own background; the frame marks the keyboard focus.
    setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid transparent; padding: 0px 2px; }"
                       "QToolButton:focus, QToolButton:hover { border-color: palette(window-text); }"));
    QWidget *previous = m_number;
    for (int slot = 0; slot < kMostNames; ++slot) {
        auto *name = new QToolButton(this);
        name->setObjectName(QStringLiteral("carrierHintName%1").arg(slot + 1));
        name->setAutoRaise(true);
        name->setFocusPolicy(Qt::StrongFocus);
        name->setCursor(Qt::PointingHandCursor);
        QFont font = name->font();
        font.setUnderline(true);
        name->setFont(font);
        name->hide();
        connect(name, &QToolButton::clicked, this, [this, slot] { nameClicked(slot); });
        // Reached with Tab right after the number they were guessed from.
        setTabOrder(previous, name);
        previous = name;
        m_names[slot] = name;
    }

    connect(m_number, &QComboBox::editTextChanged, this, &CarrierHint::showGuess);
    connect(m_carriers, &QComboBox::currentIndexChanged, this, &CarrierHint::carrierChanged);
    // A choice of the entry already shown changes no index, but it is a choice all the same.
    connect(m_carriers, &QComboBox::activated, this, &CarrierHint::carrierChanged);
    hide();
}

void CarrierHint::startOver()
{
    m_userChose = false;
}

void CarrierHint::panelOpened(QWidget *panel)
{
    if (auto *hint = panel->findChild<CarrierHint *>(QString(), Qt::FindDirectChildrenOnly))
        hint->startOver();
}

void CarrierHint::carrierChanged()
{
    if (!m_choosingItself)
        m_userChose = true;
}

void CarrierHint::showGuess(const QString &number)
{
    const std::vector<CarrierGuess> guesses = guessCarriers(number);
    int x = m_caption->width() + kSpacing;
    int shown = 0;
    for (int slot = 0; slot < kMostNames; ++slot) {
        QToolButton *name = m_names[slot];
        const bool listed = slot < int(guesses.size());
        if (listed) {
            m_positions[slot] = guesses[slot].position;
            name->setText(carrierShownName(guesses[slot].position));
            name->adjustSize();
        }
        // A name that does not fit in the line is left out rather than cut.
        if (!listed || x + name->width() > width()) {
            name->hide();
            continue;
        }
        name->move(x, (height() - name->height()) / 2);
        name->show();
        x += name->width() + kSpacing;
        ++shown;
    }
    setVisible(shown > 0);

    // Only a single certain carrier, only while the panel is open and the box not locked.
    const bool certainAlone = guesses.size() == 1 && guesses.front().certainty == GuessCertainty::Certain;
    if (certainAlone && !m_userChose && !parentWidget()->isHidden() && m_carriers->isEnabled()) {
        m_choosingItself = true;
        m_carriers->setCurrentIndex(guesses.front().position);
        m_choosingItself = false;
    }
}

void CarrierHint::nameClicked(int slot)
{
    // The carrier box is locked while a timed or loop query watches a parcel.
    if (!m_carriers->isEnabled())
        return;
    m_userChose = true;
    m_carriers->setCurrentIndex(m_positions[slot]);
}

#pragma once

#include <QRect>
#include <QWidget>

class QComboBox;
class QLabel;
class QToolButton;

// A line on the add panel: "可能是：" and up to three carriers the typed number may belong to, each
// a button that chooses it in the carrier box as the user would. A single certain carrier is chosen
// by the hint itself, unless the user has chosen one since the panel was opened.
class CarrierHint : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMostNames = 3;

    // Lives in `panel` at `place`; follows the number typed into `number` and chooses in `carriers`,
    // whose entries are the catalogue in its order.
    CarrierHint(QWidget *panel, const QRect &place, QComboBox *number, QComboBox *carriers);

    // The panel has just been opened: the carrier shown now is no choice of the user's.
    void startOver();
    // Tells the hint attached to `panel`, if any, that the panel has just been opened.
    static void panelOpened(QWidget *panel);

private:
    void showGuess(const QString &number);
    void carrierChanged();
    void nameClicked(int slot);

    QComboBox *m_number;
    QComboBox *m_carriers;
    QLabel *m_caption;
    QToolButton *m_names[kMostNames] = {};
    int m_positions[kMostNames] = {};
    bool m_userChose = false;
    bool m_choosingItself = false;
};

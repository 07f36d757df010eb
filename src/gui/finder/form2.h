#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// What the finder writes into: the main window's two carrier boxes and its status line.
struct CarrierBoxes
{
    QComboBox *Combo1 = nullptr;
    QComboBox *Text5 = nullptr;
    std::function<void()> Combo1_Click; // the service code follows the carrier chosen in Combo1
    std::function<void(const QString &)> message; // a message box
    std::function<void(const QString &)> setStatus; // the status line's message field
};

// The carrier finder: selects a carrier in the main window's two carrier boxes by keyword or by
// one of ten quick buttons. Shown modally; closes itself after every search.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 396;
    static constexpr int kClientHeight = 222;

    explicit Form2(const CarrierBoxes &main, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text1 = nullptr; // the keyword
    QPushButton *Command1 = nullptr; // 搜索
    QGroupBox *Frame2 = nullptr;
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr, *Command5 = nullptr,
                *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr,
                *Command10 = nullptr, *Command11 = nullptr;

    // Command2 ... Command11 in order.
    std::array<QPushButton *, 10> quickButtons() const;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();

private:
    // Selects every entry of the main window's carrier boxes that contains the keyword, so the
    // last one in catalogue order stays selected; true when any did.
    bool selectMatches(const QString &keyword);
    void quickChoice(QPushButton *button);

    CarrierBoxes m_main;
};

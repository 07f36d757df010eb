#include "core/carrier_catalogue.h"
#include "gui/window/form1.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

void Form1::connectCore()
{
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::kdlb()
{
    // A QComboBox selects its first entry when filled; the boxes start with nothing chosen.
    const QSignalBlocker blockCombo1(Combo1);
    for (int i = 0; i < kCarrierCount; ++i)
        Combo1->addItem(carrierShownName(i), carrierName(i));
    Combo1->setCurrentIndex(-1);
    for (int i = 0; i < kCarrierCount; ++i)
        Text5->addItem(carrierShownName(i), carrierName(i));
    Text5->setCurrentIndex(-1);
}

QString Form1::chosenCarrier(const QComboBox *box)
{
    return box->currentData().toString();
}

void Form1::Combo1_Click()
{
    const int index = Combo1->currentIndex();
    if (index >= 0 && index < kCarrierCount)
        strComCode = carrierCode(index);
}

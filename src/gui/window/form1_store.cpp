#include "gui/window/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

void Form1::connectStore()
{
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command13, &QPushButton::clicked, this, &Form1::Command13_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(aicAlphaImage5, &QToolButton::clicked, this, &Form1::aicAlphaImage5_Click);

    connect(Check2, &QCheckBox::toggled, this, &Form1::Check2_Click);
    // toggled also follows changes made by the program: start-up ticking writes the value back.
    connect(Check3, &QCheckBox::toggled, this, &Form1::Check3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(aicAlphaImage1, &QToolButton::clicked, this, &Form1::aicAlphaImage1_Click);

    // activated: a person's choice, also of the entry already shown.
    connect(Text1, &QComboBox::activated, this, &Form1::Text1_Click);
    connect(Command14, &QPushButton::clicked, this, &Form1::Command14_Click);
    connect(Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(aicAlphaImage2, &QToolButton::clicked, this, &Form1::aicAlphaImage2_Click);
    connectListClicks();

    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
}

#pragma once

#include <QDialog>

class Form1;

// The carrier finder: selects a carrier in the main window's two carrier boxes by keyword or by
// one of ten quick buttons. Shown modally; closes itself after every search.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(Form1 &main, QWidget *parent = nullptr);

private:
    Form1 &m_main;
};

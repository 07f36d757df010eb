#pragma once

#include <QDialog>

struct Platform;

// The outlet lookup window: asks a carrier's outlet search page for a name and shows six fields.
// Shown modally from the main window's link menu; shares nothing with the main window.
class Form5 : public QDialog
{
    Q_OBJECT

public:
    explicit Form5(Platform &platform, QWidget *parent = nullptr);

private:
    Platform &m_platform;
};

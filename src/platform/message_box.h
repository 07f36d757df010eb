#pragma once

#include <QString>

// Modal message boxes, all titled kMessageTitle. The real one is a QMessageBox; tests script the
// answer a person would give.
enum class MsgIcon { Information, Exclamation };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

inline const QString kMessageTitle = QStringLiteral("Lumetra系列软件");

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const QString &text, MsgIcon icon, MsgButtons buttons) = 0;
};

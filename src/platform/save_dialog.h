#pragma once

#include <QString>

// The file dialogs: where to save, and which file to open. Each returns a null QString when the
// user cancels.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;
    // filter in Qt's notation, for example "(TXT文本) (*.txt)"
    virtual QString askSaveFileName(const QString &filter) = 0;
    virtual QString askOpenFileName(const QString &filter) = 0;
    virtual QString askDirectory() = 0;
};

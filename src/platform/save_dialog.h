#pragma once

#include <QString>

// The save-file dialog. Returns a null QString when the user cancels.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;
    // filter in Qt's notation, for example "(TXT文本) (*.txt)"
    virtual QString askSaveFileName(const QString &filter) = 0;
};

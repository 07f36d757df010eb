#include "gui/widgets/carrier_hint.h"
#include "gui/window/form1.h"
#include "store/saved_parcel_file.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
// kSavedListNotSaved, the message of the store, shown in the interface's language.
const char *const kSaveFailed = QT_TRANSLATE_NOOP("Form1", "快递列表保存失败!请检查磁盘或权限..");

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}
} // namespace

QString Form1::shownSavedListNotSaved()
{
    return tr(kSaveFailed);
}

void Form1::dq()
{
    SavedFileRead read = readSavedFileForRewrite(savedFilePath());
    if (!read.ok) {
        // Lists filled from nothing would be written over every saved parcel.
        savedListRefusal = read.error;
        savedFileWritten = false;
        setStatus(savedListRefusal);
        return;
    }
    if (!read.exists)
        return;
    const SavedFileContents &contents = read.contents;
    const QSignalBlocker blockText1(Text1);
    const QSignalBlocker blockCombo6(Combo6);
    // The line list's current text is the last chosen line; refilling the box must not change it.
    const QString currentLine = Combo6->currentText();
    Text1->clear();
    Combo6->clear();
    QStringList remarks;
    remarks.reserve(contents.parcels.size());
    for (const QString &line : contents.parcels)
        remarks.append(readSavedLine(line).remark);
    // One insertion each: item by item, a list of thousands of parcels takes visibly long.
    Text1->addItems(remarks);
    Combo6->addItems(contents.parcels);
    Text1->setCurrentIndex(-1);
    Combo6->setCurrentIndex(-1);
    Combo6->setEditText(currentLine);
    savedOtherLines = contents.otherLines;
    savedFileWritten = true;
    Q_EMIT savedListChanged();
}

QString Form1::savedListProblem() const
{
    return savedListRefusal.isEmpty() ? shownSavedListNotSaved() : savedListRefusal;
}

bool Form1::writeSavedList()
{
    if (!savedListRefusal.isEmpty()) {
        savedFileWritten = false;
        setStatus(savedListRefusal);
        return false;
    }
    savedFileWritten
        = writeFileAtomically(savedFilePath(), composeSavedFile(entries(Combo6), savedOtherLines));
    if (!savedFileWritten)
        setStatus(shownSavedListNotSaved());
    Q_EMIT savedListChanged();
    return savedFileWritten;
}

void Form1::reloadSavedLists()
{
    if (savedFileWritten)
        dq();
}

void Form1::xr()
{
    // The chosen parcel comes from the lists; a number from the add panel is saved unless the lists
    // hold it with the same carrier already.
    if (queryOfChosenParcel)
        return;
    const QString number = Text3->currentText();
    const QString carrier = chosenCarrier(Combo1);
    const QString remark = Text2->text();
    for (int i = 0; i < Combo6->count(); ++i) {
        const SavedParcel saved = readSavedLine(Combo6->itemText(i));
        if (saved.number == number && saved.carrier == carrier)
            return;
    }
    {
        const QSignalBlocker blockText1(Text1);
        const QSignalBlocker blockCombo6(Combo6);
        const int chosen = Text1->currentIndex();
        const QString currentLine = Combo6->currentText();
        Combo6->addItem(savedLine(number, carrier, remark));
        Text1->addItem(remark);
        // A box that was empty selects what it gets; the selection stays as it was.
        Text1->setCurrentIndex(chosen);
        Combo6->setCurrentIndex(chosen);
        Combo6->setEditText(currentLine);
    }
    if (writeSavedList())
        setStatus(tr("快递单号已记录!"));
}

void Form1::xr2()
{
    writeSavedList();
    if (Text1->count() > 0) {
        Text1->setCurrentIndex(0);
        Text1_Click();
    }
}

void Form1::deleteSavedFile()
{
    if (!savedListRefusal.isEmpty()) {
        savedFileWritten = false;
        setStatus(savedListRefusal);
        return;
    }
    // A file that could not be removed no longer matches the lists.
    savedFileWritten = removeSavedFile(savedFilePath());
    if (!savedFileWritten)
        setStatus(shownSavedListNotSaved());
}

void Form1::Command3_Click()
{
    Text3->setEditText(QString());
    Text2->clear();
    Combo1->setCurrentIndex(0);
    CarrierHint::panelOpened(Picture3);
    showPanel(Picture3);
}

void Form1::aicAlphaImage5_Click()
{
    Picture3->hide();
}

void Form1::Command9_Click()
{
    const QString question = tr("确定要删除[%1]此单号码?").arg(Text1->currentText());
    if (message(question, MsgButtons::YesNo) == MsgAnswer::Yes) {
        bool isNumber = false;
        const int index = strSavedIndex.toInt(&isNumber);
        if (isNumber && index >= 0 && index < Text1->count())
            Text1->removeItem(index);
        if (isNumber && index >= 0 && index < Combo6->count())
            Combo6->removeItem(index);
        Picture5->hide();
    }
    // Rewritten whatever the answer; xr2 replaces the file in one step instead of deleting it first.
    xr2();
}

void Form1::Command13_Click()
{
    const QString number = Text4->text();
    if (number.isEmpty()) {
        message(tr("请输入单号!"));
        return;
    }
    // A "|" in the number would split the saved line into other fields.
    if (number.contains(QLatin1Char('|'))) {
        message(tr("单号不正确,请您检查!"));
        return;
    }
    if (chosenCarrier(Text5).isEmpty()) {
        message(tr("请输入快递公司!"));
        return;
    }
    if (Text6->text().isEmpty()) {
        message(tr("请输入备注信息!"));
        return;
    }
    const QString question = tr("确定要修改[%1]此单号码?").arg(Text1->currentText());
    if (message(question, MsgButtons::YesNo) == MsgAnswer::Yes) {
        // Rebuilt from the three new values: replacing old texts inside the line would also change
        // the remark wherever the old number or carrier occurs in it. The panel shows no field after
        // the remark, so those stay as they were.
        bool isNumber = false;
        const int index = strSavedIndex.toInt(&isNumber);
        if (isNumber && index >= 0 && index < Combo6->count()) {
            const QString rest = readSavedLine(Combo6->itemText(index)).rest;
            Combo6->setItemText(index, savedLine(number, chosenCarrier(Text5), Text6->text()) + rest);
        }
        if (isNumber && index >= 0 && index < Text1->count())
            Text1->setItemText(index, Text6->text());
    }
    xr2();
    Picture5->hide();
}

void Form1::Command7_Click()
{
    if (message(tr("确定要清空查询列表吗?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    Text3->clear();
    Text3->clearEditText();
    // The lists go too, or the next write would bring the cleared parcels back.
    {
        const QSignalBlocker blockText1(Text1);
        const QSignalBlocker blockCombo6(Combo6);
        Text1->clear();
        Combo6->clear();
        Combo6->setEditText(QStringLiteral("Combo6"));
    }
    savedOtherLines.clear();
    strSavedIndex.clear();
    strSavedNumber.clear();
    strSavedCom.clear();
    strSavedRemark.clear();
    // No index is chosen: the next choice of any entry starts its counts afresh.
    intSavedIndex = -1;
    deleteSavedFile();
    Q_EMIT savedListChanged();
    if (savedFileWritten)
        setStatus(tr("查询列表已清空..."));
}

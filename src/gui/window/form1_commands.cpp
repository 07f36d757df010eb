#include "core/answer_parser.h"
#include "core/query_answer.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"
#include "gui/window/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

void Form1::Command1_Click()
{
    const QString number = Text3->currentText();
    if (number.isEmpty()) {
        Text3->setFocus();
        setStatus(tr("请输入快递单号!"));
        return;
    }
    if (number.contains(QLatin1Char('|'))) {
        setStatus(tr("单号不正确,请您检查!"));
        return;
    }
    if (Combo1->currentText().isEmpty()) {
        Combo1->setFocus();
        setStatus(tr("请选择快递公司!"));
        return;
    }
    if (Text2->text().isEmpty()) {
        setStatus(tr("请输入快递备注信息,例如：爸爸衣服"));
        return;
    }

    setStatus(tr("未查询"));
    Command1->setEnabled(false);
    ListView1->clear();
    itmRow = nullptr; // went with the rows
    queryOfChosenParcel = false;
    queriedRemark = Text2->text();
    kdgs(number);

    switch (classifyNewNumberAnswer(strAnswer)) {
    case AnswerVerdict::Empty:
        endQueryWithoutParse(emptyAnswerMessage(lastTracking));
        return;
    case AnswerVerdict::FormatError:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::FormatError));
        return;
    case AnswerVerdict::NoInformation:
    case AnswerVerdict::NotExisting:
        if (message(tr("您好,您当前输入的单号不存在有效信息,是否先进行保存?"), MsgButtons::YesNo)
            == MsgAnswer::Yes) {
            xr();
            reloadSavedLists();
            // After a failed write the status line says so; it must not be contradicted here.
            if (savedFileWritten) {
                // The history knows from now on that the service had nothing yet: the first
                // rows will be news.
                Q_EMIT queryFailed({queriedNumber, queriedCom}, kNoInformationMessage);
                message(tr("单号已成功保存"));
            }
        }
        Command1->setEnabled(true);
        return;
    case AnswerVerdict::UnsupportedCarrier:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::UnsupportedCarrier));
        return;
    case AnswerVerdict::AsksForInput:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::AsksForInput));
        return;
    case AnswerVerdict::Accepted:
        break;
    }

    intRowCount = 0;
    const bool hasRows = countAnswerRows(strAnswer) > 0;
    xr();
    hx2();
    if (Check1->isChecked())
        Picture3->hide();
    if (!hasRows)
        endQueryWithoutParse(verdictMessage(AnswerVerdict::Accepted));
}

void Form1::cx()
{
    setStatus(tr("未查询"));
    Command1->setEnabled(false);
    ListView1->clear();
    itmRow = nullptr; // went with the rows
    queryOfChosenParcel = true;
    queriedRemark = strSavedRemark;
    kdgs(strSavedNumber);

    switch (classifySavedParcelAnswer(strAnswer)) {
    case AnswerVerdict::Empty:
        endQueryWithoutParse(emptyAnswerMessage(lastTracking));
        return;
    case AnswerVerdict::FormatError:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::FormatError));
        return;
    case AnswerVerdict::NotExisting:
        if (message(tr("您好,您当前查询的快递单号已不存在,是否删除?"), MsgButtons::YesNo) == MsgAnswer::Yes) {
            bool isNumber = false;
            const int index = strSavedIndex.toInt(&isNumber);
            if (isNumber && index >= 0 && index < Text1->count())
                Text1->removeItem(index);
            if (isNumber && index >= 0 && index < Combo6->count())
                Combo6->removeItem(index);
            // xr2 replaces the file in one step, so it is never absent in between.
            xr2();
            reloadSavedLists();
        }
        Command1->setEnabled(true);
        return;
    case AnswerVerdict::NoInformation:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::NoInformation));
        return;
    case AnswerVerdict::UnsupportedCarrier:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::UnsupportedCarrier));
        return;
    case AnswerVerdict::AsksForInput:
        endQueryWithoutParse(verdictMessage(AnswerVerdict::AsksForInput));
        return;
    case AnswerVerdict::Accepted:
        break;
    }

    const bool hasRows = countAnswerRows(strAnswer) > 0;
    xr();
    hx2();
    if (!hasRows)
        endQueryWithoutParse(verdictMessage(AnswerVerdict::Accepted));
}

void Form1::endQueryWithoutParse(const QString &status)
{
    setStatus(shownVerdict(status));
    Command1->setEnabled(true);
    Q_EMIT queryFailed({queriedNumber, queriedCom}, status);
}

#include "core/carrier_catalogue.h"
#include "gui/window/class1.h"
#include "gui/window/form1.h"
#include "store/saved_parcel_file.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace {
QTreeWidgetItem *selectedRow(const QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void putOnClipboard(const QString &text)
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
} // namespace

// Clicks and double clicks on the progress list, also on its empty area below the rows, which
// selects nothing.
class ListViewClicks : public QObject
{
public:
    ListViewClicks(Form1 *form, QTreeWidget *list)
        : QObject(form)
        , m_form(form)
        , m_list(list)
    {
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress)
            m_afterDoubleClick = false;
        if (type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
            return QObject::eventFilter(watched, event);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The row under the mouse is the one clicked, before the list's own handling has run.
        if (QTreeWidgetItem *item = m_list->itemAt(mouse->position().toPoint()))
            m_list->setCurrentItem(item);
        else
            m_list->clearSelection();
        if (type == QEvent::MouseButtonDblClick) {
            m_afterDoubleClick = true;
            m_form->ListView1_DblClick();
        } else if (m_afterDoubleClick) {
            // The release that ends a double click is not another click.
            m_afterDoubleClick = false;
        } else {
            m_form->ListView1_Click();
        }
        return false;
    }

private:
    Form1 *m_form;
    QTreeWidget *m_list;
    bool m_afterDoubleClick = false;
};

void Form1::connectListClicks()
{
    new ListViewClicks(this, ListView1);
}

void Form1::Text1_Click()
{
    const int index = Text1->currentIndex();
    // Nothing chosen, or the lists out of step: there is no parcel to query.
    if (index < 0 || index >= Combo6->count())
        return;
    Combo6->setCurrentIndex(index);
    const SavedParcel parcel = readSavedLine(Combo6->itemText(index));
    strSavedNumber = parcel.number;
    const int carrier = Combo1->findData(parcel.carrier);
    if (carrier >= 0) {
        if (Combo1->currentIndex() == carrier)
            Combo1_Click();
        else
            Combo1->setCurrentIndex(carrier);
    }
    strSavedCom = parcel.carrier;
    strSavedRemark = parcel.remark;
    Command3->setFocus();
    strSavedIndex = QString::number(index);
    if (index != intSavedIndex) {
        intPrevRows = 0;
        intLastRows = 0;
        intSavedIndex = index;
    }
    cx();
}

void Form1::Command14_Click()
{
    if (Text1->currentText().isEmpty()) {
        setStatus(tr("请先选择快递.."));
        return;
    }
    Text4->setText(strSavedNumber);
    const int carrier = Text5->findData(strSavedCom);
    if (carrier >= 0)
        Text5->setCurrentIndex(carrier);
    Text6->setText(strSavedRemark);
    showPanel(Picture5);
}

void Form1::aicAlphaImage2_Click()
{
    Picture5->hide();
}

void Form1::Command12_Click()
{
    if (Text1->currentText().isEmpty()) {
        setStatus(tr("请先选择快递.."));
        return;
    }
    putOnClipboard(tr("快递物品：%1\r\n快递公司：%2\r\n快递单号：%3")
                       .arg(strSavedRemark, carrierShownName(strSavedCom), strSavedNumber));
    setStatus(tr("当前快递信息已复制.."));
}

void Form1::ListView1_Click()
{
    QTreeWidgetItem *row = selectedRow(ListView1);
    if (!row || row->text(0).isEmpty()) {
        setStatus(tr("当前没有物流信息"));
        return;
    }
    const QString timeLine = tr("时间:%1").arg(row->text(columnByKey(QStringLiteral("sj"))));
    const QString stepLine = tr("物流进度:%1").arg(row->text(columnByKey(QStringLiteral("wl"))));
    if (!objTip)
        objTip = new Class1(this);
    objTip->ParentControl(ListView1);
    objTip->ToolTipTitle(tr("物流跟踪信息"));
    objTip->ToolTipText(timeLine + QStringLiteral("\r\n") + stepLine);
    objTip->Create();
}

void Form1::ListView1_DblClick()
{
    QTreeWidgetItem *row = selectedRow(ListView1);
    if (!row || row->text(0).isEmpty()) {
        setStatus(tr("当前没有物流信息"));
        return;
    }
    putOnClipboard(row->text(columnByKey(QStringLiteral("sj"))) + QLatin1Char(' ')
                   + row->text(columnByKey(QStringLiteral("wl"))));
    setStatus(tr("单条物流进度已复制.."));
}

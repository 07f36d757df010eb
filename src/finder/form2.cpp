#include "finder/form2.h"

#include "window/form1.h"

Form2::Form2(Form1 &main, QWidget *parent)
    : QDialog(parent)
    , m_main(main)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("搜索物流公司"));
}

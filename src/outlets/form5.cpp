#include "outlets/form5.h"

#include "platform/platform.h"

Form5::Form5(Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("网点信息查询"));
}

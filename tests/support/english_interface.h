#pragma once

#include "platform/paths.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

// The English interface while the object lives: the translation file the build made, installed
// into the running application as the program installs it, and taken out again afterwards.
class EnglishInterface
{
public:
    EnglishInterface()
    {
        const QString path = translationPath(QString(), QStringLiteral("parcelvue_en.qm"));
        m_installed = !path.isEmpty() && m_translator.load(path)
            && QCoreApplication::installTranslator(&m_translator);
        EXPECT_TRUE(m_installed) << "parcelvue_en.qm is not in the build tree (target translations)";
    }
    ~EnglishInterface()
    {
        if (m_installed)
            QCoreApplication::removeTranslator(&m_translator);
    }
    EnglishInterface(const EnglishInterface &) = delete;
    EnglishInterface &operator=(const EnglishInterface &) = delete;

private:
    QTranslator m_translator;
    bool m_installed = false;
};

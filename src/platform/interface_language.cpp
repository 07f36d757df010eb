#include "platform/interface_language.h"

#include "platform/logging.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

InterfaceLanguage languageOfEnvironment(const std::function<QString(const char *name)> &variable)
{
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        QString value = variable(name).trimmed();
        if (value.isEmpty())
            continue;
        if (qstrcmp(name, "LANGUAGE") == 0)
            value = value.section(QLatin1Char(':'), 0, 0);
        const QString language = value.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        if (language == QLatin1String("en") || language.startsWith(QLatin1String("en_")))
            return InterfaceLanguage::English;
        return InterfaceLanguage::Chinese;
    }
    return InterfaceLanguage::Chinese;
}

InterfaceLanguage languageOfEnvironment()
{
    return languageOfEnvironment([](const char *name) { return qEnvironmentVariable(name); });
}

InterfaceLanguage chosenLanguage(const QString &setting, InterfaceLanguage ofEnvironment)
{
    const QString value = setting.trimmed();
    if (value == QStringLiteral("中文"))
        return InterfaceLanguage::Chinese;
    if (value.compare(QLatin1String("English"), Qt::CaseInsensitive) == 0)
        return InterfaceLanguage::English;
    return ofEnvironment;
}

QString translationFileName(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? QStringLiteral("parcelvue_en.qm") : QString();
}

bool installQtTranslation(InterfaceLanguage language, const QString &directory)
{
    if (language != InterfaceLanguage::Chinese)
        return true;
    const QString folder
        = directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qCInfo(lcAssets) << "Qt's Chinese translation is not in" << folder << "; Qt's own texts stay English";
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool installTranslation(InterfaceLanguage language, const QString &dataDir)
{
    installQtTranslation(language);
    const QString name = translationFileName(language);
    if (name.isEmpty())
        return true;
    const QString path = translationPath(dataDir, name);
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(path)) {
        qCWarning(lcAssets) << "the translation" << (path.isEmpty() ? name : path)
                            << "cannot be loaded; the interface stays Chinese";
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

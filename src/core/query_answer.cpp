#include "core/query_answer.h"

namespace {
bool has(const QString &answer, const char *word)
{
    return answer.contains(QString::fromUtf8(word));
}
} // namespace

AnswerVerdict classifyNewNumberAnswer(const QString &answer)
{
    if (answer.isEmpty())
        return AnswerVerdict::Empty;
    if (has(answer, "单号格式错误"))
        return AnswerVerdict::FormatError;
    if (has(answer, "NULL") || has(answer, "不存在"))
        return AnswerVerdict::NoInformation;
    if (has(answer, "不支持的快递公司"))
        return AnswerVerdict::UnsupportedCarrier;
    if (has(answer, "请输入"))
        return AnswerVerdict::AsksForInput;
    return AnswerVerdict::Accepted;
}

AnswerVerdict classifySavedParcelAnswer(const QString &answer)
{
    if (answer.isEmpty())
        return AnswerVerdict::Empty;
    if (has(answer, "单号格式错误"))
        return AnswerVerdict::FormatError;
    if (has(answer, "不存在"))
        return AnswerVerdict::NotExisting;
    if (has(answer, "NULL"))
        return AnswerVerdict::NoInformation;
    if (has(answer, "不支持的快递公司"))
        return AnswerVerdict::UnsupportedCarrier;
    if (has(answer, "请输入"))
        return AnswerVerdict::AsksForInput;
    return AnswerVerdict::Accepted;
}

QString verdictMessage(AnswerVerdict verdict)
{
    switch (verdict) {
    case AnswerVerdict::FormatError:
        return QStringLiteral("单号格式错误!请检查!");
    case AnswerVerdict::NotExisting:
        return QStringLiteral("您好,您当前查询的快递单号已不存在!");
    case AnswerVerdict::NoInformation:
        return kNoInformationMessage;
    case AnswerVerdict::UnsupportedCarrier:
        return QStringLiteral("系统问题,暂不支持当前快递公司!");
    case AnswerVerdict::AsksForInput:
        return QStringLiteral("请输入正确的单号!");
    case AnswerVerdict::Accepted:
        return QStringLiteral("未查询到物流信息!");
    case AnswerVerdict::Empty:
        break;
    }
    return emptyAnswerMessage(HttpResult::Failure::None);
}

QString emptyAnswerMessage(HttpResult::Failure failure)
{
    switch (failure) {
    case HttpResult::Failure::NoConnection:
        return QStringLiteral("查询失败,无法连接查询服务器!");
    case HttpResult::Failure::Timeout:
        return QStringLiteral("查询超时,请稍后再试!");
    case HttpResult::Failure::HttpStatus:
        return QStringLiteral("查询失败,查询服务器返回错误!");
    case HttpResult::Failure::TooLarge:
        return QStringLiteral("查询失败,查询结果过大!");
    case HttpResult::Failure::None:
        break;
    }
    return QStringLiteral("查询失败,查询服务器没有返回信息!");
}

QString emptyAnswerMessage(const HttpResult &result)
{
    return result.userText.isEmpty() ? emptyAnswerMessage(result.failure) : result.userText;
}

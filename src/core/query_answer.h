#pragma once

#include "platform/http_client.h"

#include <QString>

// What the tracking service's answer means for the two query commands. The error words are looked
// for anywhere in the answer, case-sensitive, in an order that differs between the commands.
enum class AnswerVerdict {
    Empty, // nothing came back
    FormatError, // "单号格式错误"
    NoInformation, // "NULL" (for a new number also "不存在")
    NotExisting, // "不存在", for a saved parcel only
    UnsupportedCarrier, // "不支持的快递公司"
    AsksForInput, // "请输入"
    Accepted,
};

// What the user is told of a number the service has no information of yet.
inline const QString kNoInformationMessage = QStringLiteral("此快递单号未更新信息或已失效..");

// The message of a verdict that ends a query without progress rows, in the program's source
// language (shownVerdict() shows it in the interface's); Accepted is an answer that had no rows.
// The window, the watcher and the command line all tell a verdict in these words. Empty has none
// of its own: emptyAnswerMessage() says why nothing came back.
QString verdictMessage(AnswerVerdict verdict);

// For a number typed on the add panel: "NULL" and "不存在" both offer to save it.
AnswerVerdict classifyNewNumberAnswer(const QString &answer);
// For a saved parcel: "不存在" offers to delete it and is tested before "NULL".
AnswerVerdict classifySavedParcelAnswer(const QString &answer);

// The status text for a query that brought no answer text, saying why.
QString emptyAnswerMessage(HttpResult::Failure failure);
// The same for a whole result: a tracking service's own reason (a wrong key, a quota used up)
// when its adapter gave one, else the text for the transport failure.
QString emptyAnswerMessage(const HttpResult &result);

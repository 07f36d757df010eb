#pragma once

#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "core/query_answer.h"
#include "core/tracking_check.h"
#include "fuzz_check.h"
#include "services/service_answer.h"

#include <QSet>

// What every answer of a public service must come to, whatever the service sent.
inline void checkServiceAnswer(const ServiceAnswer &answer)
{
    switch (answer.kind) {
    case ServiceAnswer::Kind::Rows: {
        const QString &text = answer.text;
        // Rows are rows: no cell holds an error word or a marker that changes the cutting.
        FUZZ_REQUIRE(classifySavedParcelAnswer(text) == AnswerVerdict::Accepted);
        FUZZ_REQUIRE(classifyNewNumberAnswer(text) == AnswerVerdict::Accepted);
        const int count = countAnswerRows(text);
        FUZZ_REQUIRE(count > 0);
        ParseState state;
        const std::vector<ProgressRow> rows = parseAnswerRows(text, count, state);
        FUZZ_REQUIRE(static_cast<int>(rows.size()) == count);
        QSet<QString> seen;
        std::optional<QDateTime> later; // rows come newest first
        for (const ProgressRow &row : rows) {
            for (const QString &cell : {row.time, row.progress}) {
                FUZZ_REQUIRE(!cell.contains(QLatin1Char('<')) && !cell.contains(QLatin1Char('>')));
                FUZZ_REQUIRE(!cell.contains(QLatin1Char('\n')));
            }
            const QString key = row.time + QChar(0) + row.progress;
            FUZZ_REQUIRE(!seen.contains(key));
            seen.insert(key);
            if (const std::optional<QDateTime> when = parseRowTime(row.time)) {
                if (later)
                    FUZZ_REQUIRE(*when <= *later);
                later = when;
            }
        }
        // A problem parcel is never told signed for by the adapter.
        if (isProblemStatus(answer.status))
            FUZZ_REQUIRE(!rows.front().progress.endsWith(QStringLiteral("（已签收）")));
        FUZZ_REQUIRE(serviceStatusFromKey(serviceStatusKey(answer.status)) == answer.status);
        break;
    }
    case ServiceAnswer::Kind::ErrorWord:
        FUZZ_REQUIRE(answer.text == ErrorWord::kNoInformation || answer.text == ErrorWord::kNotExisting
                     || answer.text == ErrorWord::kFormat || answer.text == ErrorWord::kUnsupportedCarrier
                     || answer.text == ErrorWord::kAsksForInput);
        break;
    case ServiceAnswer::Kind::Busy:
        FUZZ_REQUIRE(answer.holdSeconds > 0);
        [[fallthrough]];
    case ServiceAnswer::Kind::Failure:
        FUZZ_REQUIRE(!answer.userText.trimmed().isEmpty());
        break;
    }
    // Whatever it is, the user is told something other than a bare "no information".
    const CheckOutcome outcome = readCheckAnswer(serviceResult(answer));
    FUZZ_REQUIRE(outcome.kind == CheckOutcome::Kind::Answered || !outcome.error.isEmpty());
    FUZZ_REQUIRE(!outcome.error.contains(QStringLiteral("没有返回信息")));
}

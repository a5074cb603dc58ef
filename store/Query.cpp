#include "store/Query.h"

#include "store/Connection.h"
#include "store/Firebird.h"

#include <ibase.h>

using namespace Firebird;

namespace store {

namespace {

unsigned bytesPerCharacter(unsigned charSet) {
    switch (charSet) {
    case CharSetUtf8:
        return 4;
    case 3: // UNICODE_FSS
        return 3;
    default:
        return 1;
    }
}

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == u'_';
}

bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

QDateTime decodeTimestamp(const ISC_TIMESTAMP& stamp) {
    unsigned year = 0, month = 0, day = 0, hours = 0, minutes = 0, seconds = 0, fractions = 0;
    fb::util()->decodeDate(stamp.timestamp_date, &year, &month, &day);
    fb::util()->decodeTime(stamp.timestamp_time, &hours, &minutes, &seconds, &fractions);
    return QDateTime(QDate(int(year), int(month), int(day)),
                     QTime(int(hours), int(minutes), int(seconds), int(fractions / 10)));
}

ISC_DATE encodeDate(QDate date) {
    return fb::util()->encodeDate(unsigned(date.year()), unsigned(date.month()),
                                  unsigned(date.day()));
}

QDateTime decodeDate(ISC_DATE date) {
    unsigned year = 0, month = 0, day = 0;
    fb::util()->decodeDate(date, &year, &month, &day);
    return QDateTime(QDate(int(year), int(month), int(day)), QTime(0, 0));
}

// Fixed-length text arrives padded to the column's byte width; keep as many trailing blanks as the
// declared width in characters allows, or none.
QByteArray fixedText(const char* data, unsigned length, unsigned charSet, bool trim) {
    QByteArray bytes(data, length);
    qsizetype end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == ' ')
        --end;
    bytes.truncate(end);
    if (trim)
        return bytes;
    const qsizetype characters = QString::fromUtf8(bytes).size();
    const qsizetype width = length / bytesPerCharacter(charSet);
    if (characters < width)
        bytes.append(QByteArray(width - characters, ' '));
    return bytes;
}

struct Column {
    unsigned type = 0;
    unsigned charSet = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    int scale = 0;
};

FieldValue readValue(const unsigned char* buffer, const Column& column, bool trimFixedChar) {
    FieldValue value;
    if (*reinterpret_cast<const short*>(buffer + column.nullOffset))
        return value;
    const unsigned char* data = buffer + column.offset;
    switch (column.type) {
    case SQL_VARYING: {
        const auto length = *reinterpret_cast<const unsigned short*>(data);
        value.kind = FieldValue::Kind::Text;
        value.text = {QByteArray(reinterpret_cast<const char*>(data + 2), length), column.charSet};
        break;
    }
    case SQL_TEXT:
        value.kind = FieldValue::Kind::Text;
        value.text = {fixedText(reinterpret_cast<const char*>(data), column.length, column.charSet,
                                trimFixedChar),
                      column.charSet};
        break;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        qint64 number = column.type == SQL_SHORT  ? *reinterpret_cast<const qint16*>(data)
                        : column.type == SQL_LONG ? *reinterpret_cast<const qint32*>(data)
                                                  : *reinterpret_cast<const qint64*>(data);
        for (int i = column.scale; i < 0; ++i)
            number /= 10;
        value.kind = FieldValue::Kind::Integer;
        value.integer = number;
        break;
    }
    case SQL_TIMESTAMP:
        value.kind = FieldValue::Kind::DateTime;
        value.dateTime = decodeTimestamp(*reinterpret_cast<const ISC_TIMESTAMP*>(data));
        break;
    case SQL_TYPE_DATE:
        value.kind = FieldValue::Kind::Date;
        value.dateTime = decodeDate(*reinterpret_cast<const ISC_DATE*>(data));
        break;
    default:
        value.kind = FieldValue::Kind::Other;
        break;
    }
    return value;
}

} // namespace

Query::Query(Connection& owner, const QStringList& lines, QuerySettings settings)
    : connection(owner), storedText(lines.join(QStringLiteral("\r\n"))), querySettings(settings) {
    positionalText = toPositional(storedText, &paramNames);
    paramValues.resize(size_t(paramNames.size()));
    connection.registerQuery(this);
}

Query::~Query() {
    releaseStatement();
    connection.unregisterQuery(this);
}

QString Query::toPositional(const QString& text, QStringList* names) {
    QString result;
    result.reserve(text.size());
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u':' && i + 1 < text.size() && isIdentifierStart(text.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < text.size() && isIdentifierPart(text.at(end)))
                ++end;
            if (names)
                names->append(text.mid(i + 1, end - i - 1));
            result.append(u'?');
            i = end - 1;
            continue;
        }
        result.append(c);
    }
    return result;
}

void Query::bindText(int index, const QString& text) {
    bindText(index, DbText::fromString(text));
}

void Query::bindText(int index, const DbText& text) {
    Param& param = paramValues.at(size_t(index));
    param.kind = Param::Kind::Text;
    param.text = text;
}

void Query::bindDate(int index, QDate date) {
    Param& param = paramValues.at(size_t(index));
    param.kind = date.isValid() ? Param::Kind::Date : Param::Kind::Null;
    param.moment = QDateTime(date, QTime(0, 0));
}

void Query::bindDateTime(int index, const QDateTime& moment) {
    Param& param = paramValues.at(size_t(index));
    param.kind = moment.isValid() ? Param::Kind::DateTime : Param::Kind::Null;
    param.moment = moment;
}

void Query::bindInteger(int index, qint64 number) {
    Param& param = paramValues.at(size_t(index));
    param.kind = Param::Kind::Integer;
    param.integer = number;
}

void Query::bindNull(int index) {
    paramValues.at(size_t(index)).kind = Param::Kind::Null;
}

void Query::open() {
    run(true);
}

void Query::close() {
    opened = false;
    rows.clear();
    position = 0;
}

void Query::refresh() {
    if (!opened)
        throw DbError("Requête fermée : elle ne peut pas être relancée");
    run(true);
}

int Query::execute() {
    run(false);
    return recordCount();
}

void Query::releaseStatement() {
    if (!statement)
        return;
    statement->release();
    statement = nullptr;
}

void Query::run(bool fetch) {
    IAttachment* attachment = connection.handle();
    if (!attachment)
        throw DbError("Base de données non connectée");

    fb::Status status;
    ITransaction* transaction = nullptr;
    IMessageMetadata* inputMetadata = nullptr;
    IMessageMetadata* outputMetadata = nullptr;
    IMetadataBuilder* builder = nullptr;
    IResultSet* cursor = nullptr;
    try {
        transaction = fetch ? attachment->startTransaction(&status, fb::readOnlyTransactionSize,
                                                           fb::readOnlyTransaction)
                            : attachment->startTransaction(&status, fb::writeTransactionSize,
                                                           fb::writeTransaction);
        if (!statement)
            statement =
                attachment->prepare(&status, transaction, 0, positionalText.toUtf8().constData(),
                                    SQL_DIALECT_V6, IStatement::PREPARE_PREFETCH_METADATA);

        // Input message: our own layout, so a key is sent with the bytes and character set it
        // arrived with.
        std::vector<unsigned char> input;
        const unsigned paramTotal = unsigned(paramValues.size());
        if (paramTotal > 0) {
            builder = fb::master()->getMetadataBuilder(&status, paramTotal);
            for (unsigned i = 0; i < paramTotal; ++i) {
                const Param& param = paramValues[i];
                if (param.kind == Param::Kind::Date) {
                    builder->setType(&status, i, SQL_TYPE_DATE + 1);
                } else if (param.kind == Param::Kind::DateTime) {
                    builder->setType(&status, i, SQL_TIMESTAMP + 1);
                } else if (param.kind == Param::Kind::Integer) {
                    builder->setType(&status, i, SQL_INT64 + 1);
                    builder->setScale(&status, i, 0);
                } else {
                    builder->setType(&status, i, SQL_VARYING + 1);
                    builder->setLength(&status, i,
                                       unsigned(std::max<qsizetype>(1, param.text.bytes.size())));
                    builder->setCharSet(&status, i, param.text.charSet);
                }
            }
            inputMetadata = builder->getMetadata(&status);
            builder->release();
            builder = nullptr;
            input.assign(inputMetadata->getMessageLength(&status), 0);
            for (unsigned i = 0; i < paramTotal; ++i) {
                const Param& param = paramValues[i];
                unsigned char* data = input.data() + inputMetadata->getOffset(&status, i);
                auto* null = reinterpret_cast<short*>(input.data() +
                                                      inputMetadata->getNullOffset(&status, i));
                *null = param.kind == Param::Kind::Null ? -1 : 0;
                if (param.kind == Param::Kind::Date) {
                    *reinterpret_cast<ISC_DATE*>(data) = encodeDate(param.moment.date());
                } else if (param.kind == Param::Kind::DateTime) {
                    auto* stamp = reinterpret_cast<ISC_TIMESTAMP*>(data);
                    stamp->timestamp_date = encodeDate(param.moment.date());
                    const QTime time = param.moment.time();
                    stamp->timestamp_time =
                        fb::util()->encodeTime(unsigned(time.hour()), unsigned(time.minute()),
                                               unsigned(time.second()), unsigned(time.msec() * 10));
                } else if (param.kind == Param::Kind::Integer) {
                    *reinterpret_cast<qint64*>(data) = param.integer;
                } else if (param.kind == Param::Kind::Text) {
                    *reinterpret_cast<unsigned short*>(data) =
                        static_cast<unsigned short>(param.text.bytes.size());
                    std::copy(param.text.bytes.begin(), param.text.bytes.end(), data + 2);
                }
            }
        }

        if (fetch) {
            outputMetadata = statement->getOutputMetadata(&status);
            const unsigned count = outputMetadata->getCount(&status);
            std::vector<Column> columns(count);
            QStringList names;
            for (unsigned i = 0; i < count; ++i) {
                Column& column = columns[i];
                column.type = outputMetadata->getType(&status, i) & ~1u;
                column.charSet = outputMetadata->getCharSet(&status, i);
                column.length = outputMetadata->getLength(&status, i);
                column.offset = outputMetadata->getOffset(&status, i);
                column.nullOffset = outputMetadata->getNullOffset(&status, i);
                column.scale = outputMetadata->getScale(&status, i);
                names.append(QString::fromUtf8(outputMetadata->getAlias(&status, i)));
            }
            std::vector<unsigned char> buffer(outputMetadata->getMessageLength(&status));
            std::vector<std::vector<FieldValue>> fetched;
            cursor =
                statement->openCursor(&status, transaction, inputMetadata,
                                      input.empty() ? nullptr : input.data(), outputMetadata, 0);
            while (cursor->fetchNext(&status, buffer.data()) == IStatus::RESULT_OK) {
                std::vector<FieldValue> row;
                row.reserve(count);
                for (const Column& column : columns)
                    row.push_back(readValue(buffer.data(), column, querySettings.trimFixedChar));
                fetched.push_back(std::move(row));
            }
            cursor->close(&status);
            cursor = nullptr;
            columnNames = names;
            rows = std::move(fetched);
            opened = true;
            position = 0;
        } else {
            statement->execute(&status, transaction, inputMetadata,
                               input.empty() ? nullptr : input.data(), nullptr, nullptr);
            const auto affected = statement->getAffectedRecords(&status);
            rows.assign(size_t(affected), {});
        }
        transaction->commit(&status);
        transaction = nullptr;
    } catch (const FbException& error) {
        const std::string text = "Erreur de la base de données : " + fb::message(error);
        if (cursor)
            cursor->release();
        if (builder)
            builder->release();
        fb::abandon(transaction);
        if (inputMetadata)
            inputMetadata->release();
        if (outputMetadata)
            outputMetadata->release();
        if (fb::isConnectionLost(error))
            connection.markLost();
        throw DbError(text);
    }
    if (inputMetadata)
        inputMetadata->release();
    if (outputMetadata)
        outputMetadata->release();
}

const FieldValue& Query::value(const char* field) const {
    const qsizetype column = columnNames.indexOf(QLatin1String(field));
    if (column < 0)
        throw DbError(std::string("Champ inconnu : ") + field);
    if (position >= rows.size())
        throw DbError("Aucune ligne courante");
    return rows[position][size_t(column)];
}

bool Query::isNull(const char* field) const {
    return value(field).kind == FieldValue::Kind::Null;
}

QString Query::fieldText(const char* field) const {
    const FieldValue& v = value(field);
    switch (v.kind) {
    case FieldValue::Kind::Text:
        return v.text.toString();
    case FieldValue::Kind::Integer:
        return QString::number(v.integer);
    case FieldValue::Kind::DateTime:
    case FieldValue::Kind::Date:
        return v.dateTime.toString(Qt::ISODate);
    default:
        return QString();
    }
}

DbText Query::fieldKey(const char* field) const {
    const FieldValue& v = value(field);
    return v.kind == FieldValue::Kind::Text ? v.text : DbText::fromString(fieldText(field));
}

int Query::fieldInteger(const char* field) const {
    const FieldValue& v = value(field);
    if (v.kind == FieldValue::Kind::Integer)
        return int(v.integer);
    if (v.kind == FieldValue::Kind::Text)
        return v.text.toString().trimmed().toInt();
    return 0;
}

QDateTime Query::fieldDateTime(const char* field) const {
    return value(field).dateTime;
}

} // namespace store

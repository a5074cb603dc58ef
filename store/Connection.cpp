#include "store/Connection.h"

#include "store/Firebird.h"
#include "store/Query.h"

#include <ibase.h>

using namespace Firebird;

namespace store {

namespace {

constexpr int connectTimeoutSeconds = 10;

QString trimBlanksAndControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

// Statements of a script end at ';' outside quotes and "--" comments; empty pieces are skipped.
QStringList splitScript(const QString& script) {
    QStringList statements;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'-' && i + 1 < script.size() && script.at(i + 1) == u'-') {
            while (i < script.size() && script.at(i) != u'\n')
                ++i;
            continue;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
            continue;
        }
        current.append(c);
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

} // namespace

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::setDatabase(const QString& specification) {
    databaseName = trimBlanksAndControls(specification);
}

QString Connection::password() const {
    const QString fromEnvironment = qEnvironmentVariable("ISC_PASSWORD");
    return fromEnvironment.isEmpty() ? passwordText : fromEnvironment;
}

void Connection::open() {
    attach(false, QString());
}

void Connection::create(const QString& defaultCharSet) {
    attach(true, defaultCharSet);
}

void Connection::attach(bool createFile, const QString& defaultCharSet) {
    if (isOpen())
        return;
    if (databaseName.isEmpty())
        throw DbError("Connexion impossible : aucune base de données indiquée");
    fb::Status status;
    IXpbBuilder* dpb = nullptr;
    IProvider* provider = fb::master()->getDispatcher();
    try {
        dpb = fb::util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertTag(&status, isc_dpb_utf8_filename);
        dpb->insertString(&status, isc_dpb_user_name, userName);
        dpb->insertString(&status, isc_dpb_password, password().toUtf8().constData());
        dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
        dpb->insertInt(&status, isc_dpb_connect_timeout, connectTimeoutSeconds);
        const QByteArray name = databaseName.toUtf8();
        if (createFile) {
            dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
            dpb->insertInt(&status, isc_dpb_page_size, 8192);
            dpb->insertString(&status, isc_dpb_set_db_charset, defaultCharSet.toUtf8().constData());
            attachment = provider->createDatabase(
                &status, name.constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        } else {
            attachment = provider->attachDatabase(
                &status, name.constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        }
    } catch (const FbException& error) {
        if (dpb)
            dpb->dispose();
        provider->release();
        throw DbError(QStringLiteral("Connexion impossible à %1 : %2")
                          .arg(databaseName, QString::fromStdString(fb::message(error)))
                          .toStdString());
    }
    dpb->dispose();
    provider->release();
}

void Connection::close() {
    for (Query* query : queries)
        query->releaseStatement();
    if (!attachment)
        return;
    fb::Status status;
    try {
        attachment->detach(&status);
    } catch (const FbException&) {
        // A link that is already gone cannot be detached; the handle is released below.
        attachment->release();
    }
    attachment = nullptr;
}

void Connection::markLost() {
    for (Query* query : queries)
        query->releaseStatement();
    if (attachment)
        attachment->release();
    attachment = nullptr;
}

void Connection::executeImmediate(const QString& sql) {
    if (!attachment)
        throw DbError("Base de données non connectée");
    fb::Status status;
    ITransaction* transaction = nullptr;
    try {
        transaction =
            attachment->startTransaction(&status, fb::writeTransactionSize, fb::writeTransaction);
        attachment->execute(&status, transaction, 0, sql.toUtf8().constData(), SQL_DIALECT_V6,
                            nullptr, nullptr, nullptr, nullptr);
        transaction->commit(&status);
    } catch (const FbException& error) {
        const std::string text = "Erreur de la base de données : " + fb::message(error);
        fb::abandon(transaction);
        if (fb::isConnectionLost(error))
            markLost();
        throw DbError(text);
    }
}

void Connection::executeScript(const QString& script) {
    for (const QString& statement : splitScript(script))
        executeImmediate(statement);
}

} // namespace store

#include "board/CallWorkflow.h"

#include "platform/InputBlocker.h"
#include "platform/TileControl.h"
#include "store/DbError.h"
#include "store/Query.h"

#include <QCoreApplication>
#include <QLabel>
#include <limits>
#include <stdexcept>

namespace {

const QString displayOpenFlag = QStringLiteral("F");

// A ticket text that is no number is shown but neither spoken nor served.
struct NotATicketNumber : std::runtime_error {
    explicit NotATicketNumber(const QString& ticket)
        : std::runtime_error(QStringLiteral("Ticket « %1 » : ce n'est pas un numéro, il n'est ni "
                                            "annoncé ni marqué servi")
                                 .arg(ticket)
                                 .toStdString()) {}
};

} // namespace

CallWorkflow::CallWorkflow(Parts callParts) : parts(std::move(callParts)) {}

void CallWorkflow::setDisplay(Display shownOn) {
    display = std::move(shownOn);
}

bool CallWorkflow::displayOpen() const {
    return parts.Label3->text() == displayOpenFlag;
}

std::optional<int> CallWorkflow::ticketNumber(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        negative = text.at(i++) == u'-';
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

void CallWorkflow::showOnDisplay(const QString& ticket, const QString& analysis) {
    display.Label1->setText(ticket);
    display.Label3->setText(analysis);
    // The number must be on the screen before the sound starts.
    display.Label1->repaint();
    QCoreApplication::processEvents();
}

void CallWorkflow::speak(const QString& ticket) {
    const std::optional<int> number = ticketNumber(ticket);
    if (!number)
        throw NotATicketNumber(ticket);
    parts.tirvo(*number);
}

void CallWorkflow::validate(const AnalysisTileKeys& keys, const QString& ticket) {
    parts.Update_valide->bindText(0, keys.COD_RECH);
    parts.Update_valide->bindText(1, keys.TYPE_PARA);
    try {
        parts.Update_valide->execute();
    } catch (const store::DbError& error) {
        // The number was shown and spoken: say plainly that it was not marked as served.
        throw store::DbError(
            QStringLiteral("Ticket %1, %2 : NON marqué servi (Valider Patient "
                           "pour réessayer). %3")
                .arg(ticket, keys.TYPE_PARA.toString(), QString::fromUtf8(error.what()))
                .toStdString());
    }
}

void CallWorkflow::ArticlesClick(Tile* Sender) {
    // Clicks queued while the call runs (during the sound, during the rebuild) are dropped.
    InputBlocker blockInput;
    if (parts.Liste_ANALYSE->recordCount() == 0)
        return;
    // From here on only these copies are used: the rebuild discards the clicked tile.
    const QString ticket = Sender->text(0);
    const QString visit = Sender->text(1);
    const QString analysis = Sender->text(2);
    const auto keys = Sender->userData().value<AnalysisTileKeys>();
    parts.Label4->setText(visit);
    parts.Label5->setText(analysis);
    parts.Label6->setText(ticket);
    lastCall = keys;

    showOnDisplay(ticket, analysis);
    speak(ticket);
    validate(keys, ticket);
    parts.Liste_pat();

    const int remembered = parts.board->rememberedPatientIndex;
    if (remembered != -1 && remembered < parts.Groupe1->tileCount())
        parts.Categories->click(parts.Groupe1->tile(remembered));
    parts.board->rememberedPatientIndex = -1;
}

void CallWorkflow::MONADATE() {
    InputBlocker blockInput;
    if (parts.Liste_ANALYSE->recordCount() == 0)
        return;
    if (!displayOpen())
        return;
    showOnDisplay(parts.Label6->text(), parts.Label5->text());
    speak(display.Label1->text());
}

void CallWorkflow::cxButton8Click() {
    if (!displayOpen()) {
        parts.informationBox(QStringLiteral("La fenêtre d'tirvo du Patients doit être ouverte"));
        return;
    }
    // Before any call the state holds placeholders that name no analysis.
    if (!lastCall)
        return;
    InputBlocker blockInput;
    validate(*lastCall, parts.Label6->text());
    parts.Liste_ANALYSE->refresh();
    parts.Liste_pat();
}

void CallWorkflow::cxButton2Click() {
    display.show();
    parts.Label3->setText(displayOpenFlag);
}

void CallWorkflow::displayClosed() {
    parts.Label3->setText(QString());
}

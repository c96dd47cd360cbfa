#pragma once
// A stand-in for ANAF's register on 127.0.0.1: records each request and answers it with a chosen
// HTTP status and body, or never answers at all.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace vornel::test {

class LocalAnafServer : public QObject {
public:
    int status = 200;
    QByteArray body;
    bool silent = false; // accepts the request and never answers
    QList<QByteArray> requests;

    LocalAnafServer() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/api/PlatitorTvaRest/v9/tva").arg(m_server.serverPort());
    }
    // An address where nothing listens.
    static QString deadUrl() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1/tva").arg(port);
    }

private:
    void read(QTcpSocket* socket) {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0) return;
        qsizetype length = 0;
        for (const QByteArray& line : pending.left(end).split('\n'))
            if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
        if (pending.size() < end + 4 + length) return;
        requests << pending;
        pending.clear();
        if (silent) return;
        socket->write(
            "HTTP/1.1 " + QByteArray::number(status) + " Raspuns\r\nContent-Type: application/json\r\n" +
            "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

// An answer of the register in its documented shape, for the fiscal code 10203045.
inline QByteArray anafFound(bool tvaLaIncasare = false) {
    return QByteArray(
               R"({"cod":200,"message":"SUCCESS","found":[{"date_generale":{"cui":10203045,"data":"2026-03-02",
 "denumire":"LEMNART PRODCOM SRL","adresa":"JUD. CLUJ, MUN. CLUJ-NAPOCA, STR. FABRICII, NR.12",
 "nrRegCom":"J12/1234/2015","telefon":"0264111222","fax":"","codPostal":"400620","act":"",
 "stare_inregistrare":"INREGISTRAT din data 12.03.2015","data_inregistrare":"2015-03-12","cod_CAEN":"3109",
 "iban":"","statusRO_e_Factura":true,"organFiscalCompetent":"","forma_de_proprietate":"","forma_organizare":"",
 "forma_juridica":""},
 "inregistrare_scop_Tva":{"scpTVA":true,"perioade_TVA":[{"data_inceput_ScpTVA":"2015-03-12"}]},
 "inregistrare_RTVAI":{"dataInceputTvaInc":"","dataSfarsitTvaInc":"","dataActualizareTvaInc":"",
 "dataPublicareTvaInc":"","tipActTvaInc":"","statusTvaIncasare":)") +
           (tvaLaIncasare ? "true" : "false") +
           R"(},
 "stare_inactiv":{"dataInactivare":"","dataReactivare":"","dataPublicare":"","dataRadiere":"","statusInactivi":false},
 "adresa_sediu_social":{"sdenumire_Strada":"Str. Fabricii","snumar_Strada":"12","sdenumire_Localitate":"Mun. Cluj-Napoca",
 "scod_Localitate":"54","sdenumire_Judet":"CLUJ","scod_Judet":"12","scod_JudetAuto":"CJ","stara":"",
 "sdetalii_Adresa":"Clădirea B","scod_Postal":"400620"}}],"notFound":[]})";
}

} // namespace vornel::test

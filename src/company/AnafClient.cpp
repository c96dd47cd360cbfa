#include "company/AnafClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QUrl>

namespace vornel {

const char* const AnafClient::kDefaultUrl = "https://webservicesp.anaf.ro/api/PlatitorTvaRest/v9/tva";

namespace {

// The register writes Romanian diacritics; the suite's own texts have none.
QString plain(const QJsonValue& value) {
    QString text = value.isDouble() ? QString::number(value.toInteger()) : value.toString();
    text = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c.category() != QChar::Mark_NonSpacing) out += c;
    return out.simplified();
}

QString registeredOffice(const QJsonObject& office, const QJsonObject& general) {
    QString address = plain(office.value(QLatin1String("sdenumire_Strada")));
    const QString number = plain(office.value(QLatin1String("snumar_Strada")));
    const QString details = plain(office.value(QLatin1String("sdetalii_Adresa")));
    if (address.isEmpty()) return plain(general.value(QLatin1String("adresa")));
    if (!number.isEmpty()) address += QStringLiteral(" nr. ") + number;
    if (!details.isEmpty()) address += QStringLiteral(", ") + details;
    return address;
}

// Reads the answer for one fiscal code: true with the company, or false with the message.
bool readAnswer(const QByteArray& body, const QString& cif, AnafCompany& company, QString& message) {
    const QString unreadable = QStringLiteral("Raspunsul serviciului ANAF nu poate fi citit. Verificati "
                                              "adresa serviciului (anaf.url): versiunea poate fi depasita.");
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        message = unreadable;
        return false;
    }
    const QJsonObject root = document.object();
    const int code = root.value(QLatin1String("cod")).toInt(200);
    if (code != 200) {
        message = QStringLiteral("Serviciul ANAF a refuzat cererea (%1: %2).")
                      .arg(code)
                      .arg(plain(root.value(QLatin1String("message"))));
        return false;
    }
    if (!root.value(QLatin1String("found")).isArray()) {
        message = unreadable;
        return false;
    }
    for (const QJsonValue& entry : root.value(QLatin1String("found")).toArray()) {
        const QJsonObject general = entry.toObject().value(QLatin1String("date_generale")).toObject();
        if (plain(general.value(QLatin1String("cui"))).toLongLong() != cif.toLongLong()) continue;
        const QJsonObject found = entry.toObject();
        const auto flag = [&found](const char* part, const char* name) {
            return found.value(QLatin1String(part)).toObject().value(QLatin1String(name)).toBool();
        };
        company.denumire = plain(general.value(QLatin1String("denumire")));
        if (company.denumire.isEmpty()) {
            message = unreadable;
            return false;
        }
        const QJsonObject office = found.value(QLatin1String("adresa_sediu_social")).toObject();
        company.adresa = registeredOffice(office, general);
        company.judet = plain(office.value(QLatin1String("sdenumire_Judet")));
        company.oras = plain(office.value(QLatin1String("sdenumire_Localitate")));
        company.nrRegCom = plain(general.value(QLatin1String("nrRegCom")));
        company.telefon = plain(general.value(QLatin1String("telefon")));
        company.platitorTva = flag("inregistrare_scop_Tva", "scpTVA");
        company.tvaLaIncasare = flag("inregistrare_RTVAI", "statusTvaIncasare");
        company.inactiv = flag("stare_inactiv", "statusInactivi");
        company.eFactura = general.value(QLatin1String("statusRO_e_Factura")).toBool();
        return true;
    }
    message = QStringLiteral("Codul fiscal %1 nu figureaza in registrul ANAF.").arg(cif);
    return false;
}

} // namespace

QString AnafClient::configuredUrl() {
    const QSettings settings(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    const QString url = settings.value(QStringLiteral("anaf.url")).toString().trimmed();
    return url.isEmpty() ? QString::fromLatin1(kDefaultUrl) : url;
}

AnafClient::AnafClient(QString url, std::chrono::milliseconds limit, QObject* parent)
    : QObject(parent), m_url(std::move(url)), m_limit(limit), m_network(new QNetworkAccessManager(this)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        if (m_reply) m_reply->abort(); // finish() reports the time limit
    });
}

AnafClient::~AnafClient() {
    // An answer still awaited is dropped: nobody is left to receive it.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void AnafClient::lookup(const QString& cifDigits, const QDate& day) {
    if (busy()) return;
    m_cif = cifDigits;
    m_timedOut = false;
    QNetworkRequest request{QUrl(m_url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("Accept", "application/json");
    const QJsonObject query{{QStringLiteral("cui"), cifDigits.toLongLong()},
                            {QStringLiteral("data"), day.toString(Qt::ISODate)}};
    m_reply = m_network->post(request, QJsonDocument(QJsonArray{query}).toJson(QJsonDocument::Compact));
    connect(m_reply, &QNetworkReply::finished, this, &AnafClient::finish);
    m_timer.start(m_limit);
}

void AnafClient::finish() {
    m_timer.stop();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (m_timedOut) {
        emit failed(QStringLiteral("Serviciul ANAF nu a raspuns in %1 s. Incercati din nou mai tarziu.")
                        .arg((m_limit.count() + 999) / 1000));
        return;
    }
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300)) {
        emit failed(
            QStringLiteral("Serviciul ANAF a raspuns cu eroarea HTTP %1. Incercati din nou mai tarziu.")
                .arg(status.toInt()));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        emit failed(QStringLiteral("Serviciul ANAF nu poate fi contactat (%1). Verificati legatura la "
                                   "internet si adresa serviciului (anaf.url).")
                        .arg(reply->errorString()));
        return;
    }
    AnafCompany company;
    QString message;
    if (readAnswer(reply->readAll(), m_cif, company, message))
        emit found(company);
    else
        emit failed(message);
}

} // namespace vornel

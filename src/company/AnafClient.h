#pragma once
// The client of ANAF's public register of VAT payers (the synchronous JSON service): asks for one
// fiscal code and answers with the company's identification data and VAT status, or with a
// message in Romanian that says why it could not.

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace vornel {

// What the register says of a company (texts without diacritics).
struct AnafCompany {
    QString denumire;
    QString adresa; // street, number and details of the registered office
    QString judet;
    QString oras;
    QString nrRegCom;
    QString telefon;
    bool platitorTva = false;
    bool tvaLaIncasare = false;
    bool inactiv = false;
    bool eFactura = false;
};

class AnafClient : public QObject {
    Q_OBJECT
public:
    // The service address used when the settings hold none.
    static const char* const kDefaultUrl;
    // The address in the per-user settings (organisation "Vornel", application "vornel", key
    // anaf.url): ANAF puts the version in the address and changes it from time to time.
    static QString configuredUrl();

    explicit AnafClient(QString url, std::chrono::milliseconds limit = std::chrono::seconds(10),
                        QObject* parent = nullptr);
    ~AnafClient() override;

    // Asks for the company of a fiscal code (digits only) on the given day. Answers later, once,
    // with found or failed; a call while an answer is awaited is ignored.
    void lookup(const QString& cifDigits, const QDate& day);
    bool busy() const { return m_reply != nullptr; }

signals:
    void found(const vornel::AnafCompany& company);
    void failed(const QString& message);

private:
    void finish();

    QString m_url;
    std::chrono::milliseconds m_limit;
    QNetworkAccessManager* m_network;
    QNetworkReply* m_reply = nullptr; // child of m_network while an answer is awaited
    QTimer m_timer;
    QString m_cif;
    bool m_timedOut = false;
};

} // namespace vornel

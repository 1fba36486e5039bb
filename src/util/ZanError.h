#pragma once

#include <QString>
#include <exception>

// A run-time error as the error reports show it: a number, the component that raised it
// (source) and a description. Every failure the program reports travels as a ZanError.
class ZanError : public std::exception
{
public:
    enum Number {
        General = 5,            // invalid procedure call or argument
        FileNotFound = 53,
        PathNotFound = 76,
        Permission = 70,
        ObjectRequired = 91,
        ClearCaseFailure = -2147467259, // what a failing ClearCase call reports (E_FAIL)
        StoreFailure = 1001,
        CommandFailure = 1002,
    };

    ZanError(int number, QString source, QString description)
        : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
          m_what(m_description.toUtf8())
    {
    }

    int number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    // The error being handled in a catch block, whatever was thrown.
    static ZanError current(const QString &fallbackSource = QStringLiteral("Zan Utility"))
    {
        try {
            throw;
        } catch (const ZanError &e) {
            return e;
        } catch (const std::exception &e) {
            return ZanError(General, fallbackSource, QString::fromLocal8Bit(e.what()));
        } catch (...) {
            return ZanError(General, fallbackSource, QStringLiteral("Unknown error"));
        }
    }

private:
    int m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

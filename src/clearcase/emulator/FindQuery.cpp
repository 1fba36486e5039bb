#include "clearcase/emulator/FindQuery.h"

#include "clearcase/sandbox/SandboxCommands.h"

#include <QStringList>

namespace {

using Test = std::function<bool(const FindQuery::Attributes &)>;

// Recursive descent over the query text: or := and {"||" and}; and := unary {"&&" unary};
// unary := "!" unary | "(" or ")" | call.
class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    Test parse()
    {
        Test test = disjunction();
        skipBlanks();
        if (m_at < m_text.size())
            fail();
        return test;
    }

private:
    [[noreturn]] void fail() const
    {
        SandboxCommands::fail(QStringLiteral("Syntax error in query: \"%1\".").arg(m_text));
    }

    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    bool take(const QString &token)
    {
        skipBlanks();
        if (!m_text.mid(m_at).startsWith(token))
            return false;
        m_at += int(token.size());
        return true;
    }

    Test disjunction()
    {
        Test left = conjunction();
        while (take(QStringLiteral("||"))) {
            Test right = conjunction();
            left = [left, right](const FindQuery::Attributes &a) { return left(a) || right(a); };
        }
        return left;
    }

    Test conjunction()
    {
        Test left = unary();
        while (take(QStringLiteral("&&"))) {
            Test right = unary();
            left = [left, right](const FindQuery::Attributes &a) { return left(a) && right(a); };
        }
        return left;
    }

    Test unary()
    {
        if (take(QStringLiteral("!"))) {
            Test inner = unary();
            return [inner](const FindQuery::Attributes &a) { return !inner(a); };
        }
        if (take(QStringLiteral("("))) {
            Test inner = disjunction();
            if (!take(QStringLiteral(")")))
                fail();
            return inner;
        }
        return call();
    }

    // Up to the next "," or ")" outside double quotes.
    QString argument()
    {
        skipBlanks();
        QString text;
        bool quoted = false;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at);
            if (!quoted && (c == QLatin1Char(',') || c == QLatin1Char(')')))
                break;
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            text += c;
            ++m_at;
        }
        return text.trimmed();
    }

    Test call()
    {
        skipBlanks();
        const int start = m_at;
        while (m_at < m_text.size() && (m_text.at(m_at).isLetterOrNumber() || m_text.at(m_at) == QLatin1Char('_')))
            ++m_at;
        const QString name = m_text.mid(start, m_at - start);
        if (name.isEmpty() || !take(QStringLiteral("(")))
            fail();
        QStringList arguments{argument()};
        while (take(QStringLiteral(",")))
            arguments << argument();
        if (!take(QStringLiteral(")")))
            fail();
        if ((name == QLatin1String("attype_sub") || name == QLatin1String("attype")) && arguments.size() == 1) {
            const QString type = arguments.first();
            return [type](const FindQuery::Attributes &a) { return a.contains(type); };
        }
        if ((name == QLatin1String("attr_sub") || name == QLatin1String("attr")) && arguments.size() == 3)
            return comparison(arguments.at(0), arguments.at(1), arguments.at(2));
        if (name == QLatin1String("attr_sub") || name == QLatin1String("attype_sub") || name == QLatin1String("attr")
            || name == QLatin1String("attype"))
            fail();
        SandboxCommands::fail(QStringLiteral("Query function \"%1\" is not supported by this emulator.").arg(name));
    }

    Test comparison(const QString &type, const QString &op, const QString &value)
    {
        static const QStringList operators{QStringLiteral("=="), QStringLiteral("!="), QStringLiteral("<"),
                                           QStringLiteral("<="), QStringLiteral(">"), QStringLiteral(">=")};
        if (!operators.contains(op))
            fail();
        return [type, op, value](const FindQuery::Attributes &a) {
            if (!a.contains(type))
                return false;
            const QString &actual = a.value(type);
            if (op == QLatin1String("=="))
                return actual == value;
            if (op == QLatin1String("!="))
                return actual != value;
            bool bothNumbers = false;
            const double left = actual.toDouble(&bothNumbers);
            bool valueIsNumber = false;
            const double right = value.toDouble(&valueIsNumber);
            if (!bothNumbers || !valueIsNumber)
                return false;
            if (op == QLatin1String("<"))
                return left < right;
            if (op == QLatin1String("<="))
                return left <= right;
            return op == QLatin1String(">") ? left > right : left >= right;
        };
    }

    QString m_text;
    int m_at = 0;
};

} // namespace

FindQuery::FindQuery(const QString &text) : m_test(Parser(text).parse()) {}
FindQuery::~FindQuery() = default;
FindQuery::FindQuery(FindQuery &&) noexcept = default;
FindQuery &FindQuery::operator=(FindQuery &&) noexcept = default;

bool FindQuery::matches(const Attributes &attributes) const
{
    return m_test(attributes);
}

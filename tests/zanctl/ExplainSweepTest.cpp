// zanctl explain predicts the security trigger: a seeded random sweep of users, operations
// and settings over elements, the VOB root, types and names not made yet. Each case is
// explained over the sandbox backend and over the cleartool co-process, then really run
// through the emulator with the triggers installed; only the trigger's say is compared
// (ClearCase's own rules, such as who may lock, come after it).
#include "ZanctlFixture.h"

#include "util/ZanError.h"

#include <random>

namespace {

struct Case {
    QString user;
    QStringList explain; // OPERATION PATH [--type TYPE]
    QStringList command; // what the user runs
};

const QStringList users = {QStringLiteral("bob"), QStringLiteral("eve"), QStringLiteral("Carol"), QStringLiteral("admin1")};
const QStringList settingTypes = {QStringLiteral("__checkout"), QStringLiteral("__lock"),    QStringLiteral("__mkattr"),
                                  QStringLiteral("__mkelem"),   QStringLiteral("__mktype"),  QStringLiteral("__mklbtype"),
                                  QStringLiteral("__rntype")};
// nullptr: no attribute.
const char *const values[] = {nullptr, nullptr, "bob", "eve,carol", "ALL", "NONE", "", "BOB,admin1"};
const char *const privilegedLists[] = {nullptr, nullptr, "checkout", "lock,mkelem", "mkattr,rntype"};

} // namespace

class ExplainSweep : public ZanctlRun, public ::testing::WithParamInterface<SiteStyle::Kind>
{
protected:
    // The settings are an administrator's: once the triggers are in, they guard them too.
    ExplainSweep() : ZanctlRun(GetParam()) { platform.login = QStringLiteral("admin1"); }
    bool overCleartool() const override { return coProcess; }

    QString vob() const { return SandboxSeed::vobTag(SandboxSeed::projVob, kind); }
    QString rootElement() const { return inVob(QStringLiteral(".")); }
    QString type(const QString &selector) const { return selector + QLatin1Char('@') + vob(); }

    void SetUp() override
    {
        ZanctlRun::SetUp();
        for (const QString &name : settingTypes + QStringList{QStringLiteral("Level")})
            backend->createAttributeType(vob(), name, 8, QString());
        sandbox.store().addType(vob(), QStringLiteral("lbtype"), {QStringLiteral("ZAN_REL"), QString(), {}, QStringLiteral("vobadm")});
        installTriggers(QStringLiteral("admin1"));
    }

    // Random settings on main.c, its directory and the VOB root; sometimes a recorded
    // privileged list.
    void scatterSettings(std::mt19937 &random)
    {
        const QStringList places = {inVob(QStringLiteral("src/main.c")), inVob(QStringLiteral("src")), rootElement()};
        for (const QString &place : places) {
            for (const QString &name : settingTypes)
                write(place, name, values[random() % std::size(values)]);
        }
        write(rootElement(), QStringLiteral("QX_PRIVOPER"), privilegedLists[random() % std::size(privilegedLists)]);
    }

    void write(const QString &element, const QString &name, const char *value)
    {
        const QString version = element + QStringLiteral("@@/main/0");
        if (value) {
            backend->attachAttribute(vob(), name, version, QString::fromUtf8(value), QString(), true);
            return;
        }
        try {
            if (!backend->attributes(version).isEmpty())
                backend->removeAttribute(version, name, QString());
        } catch (const ZanError &) {
            // it was not there
        }
    }

    Case randomCase(std::mt19937 &random, int number)
    {
        const QString user = users.at(random() % users.size());
        const QString mainC = inVob(QStringLiteral("src/main.c"));
        const QString newInSrc = inVob(QStringLiteral("src/new_%1.c").arg(number));
        const QString newAtTop = inVob(QStringLiteral("new_%1.c").arg(number));
        const QString label = QStringLiteral("ZAN_REL");
        const QList<Case> all = {
            {user, {"checkout", mainC}, {"checkout", "-nc", mainC}},
            {user, {"checkout", inVob()}, {"checkout", "-nc", rootElement()}},
            {user, {"lock", mainC}, {"lock", "-nc", mainC}},
            {user, {"lock", rootElement()}, {"lock", "-nc", rootElement()}},
            {user, {"mkattr", mainC, "--type", "Level"}, {"mkattr", "-replace", "-nc", "Level", "\"x\"", mainC + "@@/main/0"}},
            {user, {"mkattr", inVob(), "--type", "Level"}, {"mkattr", "-replace", "-nc", "Level", "\"x\"", rootElement() + "@@/main/0"}},
            {user, {"mkattr", mainC, "--type", "__checkout"}, {"mkattr", "-replace", "-nc", "__checkout", "\"x\"", mainC + "@@/main/0"}},
            {user, {"mkattr", inVob(), "--type", "__mktype"}, {"mkattr", "-replace", "-nc", "__mktype", "\"x\"", rootElement() + "@@/main/0"}},
            {user, {"mkelem", newInSrc}, {"mkelem", "-nc", newInSrc}},
            {user, {"mkelem", newAtTop}, {"mkelem", "-nc", newAtTop}},
            {user, {"mklbtype", inVob()}, {"mklbtype", "-nc", type(QStringLiteral("NEW_%1").arg(number))}},
            {user, {"rntype", inVob(), "--type", "lbtype:" + label}, {"rntype", "-nc", type("lbtype:" + label), label + "_2"}},
            {user, {"lock", inVob(), "--type", "lbtype:" + label}, {"lock", "-nc", type("lbtype:" + label)}},
            {user, {"lock", inVob(), "--type", "attype:__checkout"}, {"lock", "-nc", type("attype:__checkout")}},
            {user, {"lock", inVob(), "--type", "trtype:_KORVANE_SECURITY1"}, {"lock", "-nc", type("trtype:_KORVANE_SECURITY1")}},
        };
        return all.at(random() % all.size());
    }

    // explain's verdict over one backend: "allow", "deny" or what went wrong.
    QString explained(const Case &c, bool overCoProcess)
    {
        coProcess = overCoProcess;
        const Run run = zanctl(QStringList{QStringLiteral("explain"), c.user} + c.explain);
        return run.status == 0 ? QStringLiteral("allow") : run.status == 1 ? QStringLiteral("deny") : QStringLiteral("failed: ") + run.err;
    }

    // The trigger's say when the user runs the command through the emulator. A lock the
    // trigger let through would stop the next case's settings from being written: the
    // administrator (whom the trigger lets through) or root (whom ClearCase lets unlock what it
    // did not make) takes it off again.
    QString enforced(const Case &c, QString &output)
    {
        const Run run = cleartoolAs(c.user, c.command);
        output = run.out + run.err;
        const bool refused = output.contains(QStringLiteral("has refused to let"));
        if (!refused && run.status == 0 && c.command.first() == QLatin1String("lock")
            && cleartoolAs(QStringLiteral("admin1"), {QStringLiteral("unlock"), QStringLiteral("-nc"), c.command.last()}).status != 0
            && cleartoolAs(QStringLiteral("root"), {QStringLiteral("unlock"), QStringLiteral("-nc"), c.command.last()}).status != 0)
            ADD_FAILURE() << "the sweep could not take its lock off " << c.command.last().toStdString();
        return refused ? QStringLiteral("deny") : QStringLiteral("allow");
    }

    bool coProcess = false;
};

TEST_P(ExplainSweep, ExplainPredictsWhatTheTriggerDecidesOnBothBackends)
{
    std::mt19937 random(20261208 + int(GetParam()));
    int refused = 0;
    constexpr int cases = 60;
    for (int number = 0; number < cases; ++number) {
        scatterSettings(random);
        const Case c = randomCase(random, number);
        const QString sandboxVerdict = explained(c, false);
        const QString coProcessVerdict = explained(c, true);
        QString output;
        const QString trigger = enforced(c, output);
        const std::string what = c.user.toStdString() + " " + c.command.join(' ').toStdString() + "\n" + output.toStdString();
        EXPECT_EQ(sandboxVerdict, trigger) << "sandbox: " << what;
        EXPECT_EQ(coProcessVerdict, trigger) << "co-process: " << what;
        refused += trigger == QLatin1String("deny");
    }
    // The sweep means something only if it meets both answers.
    EXPECT_GT(refused, 2);
    EXPECT_LT(refused, cases - 2);
}

INSTANTIATE_TEST_SUITE_P(Sites, ExplainSweep, ::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix),
                         [](const ::testing::TestParamInfo<SiteStyle::Kind> &site) {
                             return std::string(site.param == SiteStyle::Kind::Unix ? "Unix" : "Windows");
                         });

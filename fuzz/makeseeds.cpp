// Writes the seed corpus of every fuzz target into OUT/<target>/, from the
// golden label cases of tests/data: their products, their user.dat lines,
// their date patterns, in each target's input format.
//
// Usage: fuzz_seeds OUT
#include "store/cp932.h"
#include "store/phrasebook.h"
#include "store/productrecord.h"
#include "store/textfile.h"
#include "store/usersettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString kDataDir = QStringLiteral(SAKURABE_SOURCE_DIR "/tests/data");

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

struct Case
{
    QByteArray json;
    store::ProductRecord product;
    QJsonObject job;
};

QList<Case> goldenCases()
{
    QList<Case> cases;
    const QStringList folders = QDir(kDataDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &folder : folders) {
        QFile file(kDataDir + u'/' + folder + QStringLiteral("/record.json"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Case c;
        c.json = file.readAll();
        const QJsonObject record = QJsonDocument::fromJson(c.json).object();
        for (size_t i = 0; i < store::kProductFieldNames.size(); ++i)
            c.product.*store::kProductFields[i] = record.value(QLatin1String(store::kProductFieldNames[i])).toString();
        c.job = readJson(kDataDir + u'/' + folder + QStringLiteral("/job.json"));
        cases.append(c);
    }
    return cases;
}

class Corpus
{
public:
    explicit Corpus(const QString &folder) : m_folder(folder) { QDir().mkpath(folder); }
    void add(const QByteArray &input)
    {
        QFile file(m_folder + QStringLiteral("/seed-%1").arg(m_count++, 3, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
            std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
    }

private:
    QString m_folder;
    int m_count = 0;
};

QByteArray line(const QString &text)
{
    return store::toCp932(text) + "\r\n";
}

// A string as FuzzedDataProvider::ConsumeRandomLengthString reads it back.
QByteArray providerString(const QByteArray &text)
{
    QByteArray out = text;
    out.replace('\\', "\\\\");
    return out + "\\x";
}

QByteArray oldLineOf(const store::ProductRecord &p)
{
    const auto bare = [](const QString &value) { return value.section(u':', 1); };
    const QStringList cells{p.number, bare(p.productName), bare(p.categoryName), bare(p.ingredients), bare(p.netContent),
                            p.netContentUnit, bare(p.expiryTitle), p.expiryFormat, p.expiryAddDays, p.expiryAltText,
                            bare(p.storage), QString(), bare(p.responsible), QString(), QString(), QString(), p.remarks,
                            p.barcode, p.recycleMark, p.recycleSub1, p.recycleSub2,
                            p.labelSize == u"28×38" ? QStringLiteral("小ラベル") : QStringLiteral("大ラベル")};
    QByteArray bytes;
    for (const QString &cell : cells)
        bytes += store::toCp932(cell) + '\t';
    return bytes + "\r\n";
}

QByteArray userDatOf(const QJsonObject &job)
{
    QStringList lines = store::UserSettings::defaults().lines();
    const QJsonObject given = job.value(u"userDat").toObject();
    for (auto it = given.begin(); it != given.end(); ++it)
        lines[it.key().toInt() - 1] = it.value().toString();
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += line(l);
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUT\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QList<Case> cases = goldenCases();
    if (cases.isEmpty()) {
        std::fprintf(stderr, "fuzz_seeds: no cases in %s\n", qPrintable(kDataDir));
        return 1;
    }

    Corpus products(out + QStringLiteral("/fuzz_productfile"));
    Corpus conversion(out + QStringLiteral("/fuzz_productconversion"));
    Corpus settings(out + QStringLiteral("/fuzz_usersettings"));
    Corpus phrases(out + QStringLiteral("/fuzz_phrasebook"));
    Corpus cp932(out + QStringLiteral("/fuzz_cp932"));
    Corpus backups(out + QStringLiteral("/fuzz_backuplist"));
    Corpus json(out + QStringLiteral("/fuzz_recordjson"));
    Corpus dates(out + QStringLiteral("/fuzz_datepattern"));
    Corpus labels(out + QStringLiteral("/fuzz_composelabel"));

    QTemporaryDir scratch;
    store::createDefaultPhraseBook(scratch.path());
    const QByteArray defaultPhrases = store::readWholeFile(scratch.filePath(QStringLiteral("文字列情報.tsv"))).bytes;

    QByteArray wholeFile = line(store::productFileHeader());
    QByteArray oldFile = "0000\t" + store::toCp932(store::productFileHeader().section(u'\t', 1)) + "\r\n";
    for (const Case &c : cases) {
        const QByteArray record = line(c.product.recordText());
        wholeFile += record;
        oldFile += oldLineOf(c.product);
        products.add(line(store::productFileHeader()) + record);
        conversion.add("0000\r\n" + oldLineOf(c.product));
        settings.add(userDatOf(c.job));
        cp932.add(store::toCp932(c.product.recordText()));
        const QString text = c.product.ingredients + c.product.remarks;
        cp932.add(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
        json.add(c.json);
        dates.add(providerString(c.product.expiryAddDays.toUtf8()) + c.product.expiryFormat.toUtf8() + "\x02");

        QByteArray label(1, static_cast<char>(c.job.value(u"paper").toInt() == 513 ? 1 : 0));
        QStringList fields;
        for (QString store::ProductRecord::*field : store::kProductFields)
            fields.append(c.product.*field);
        fields << c.job.value(u"method").toString() << c.job.value(u"copies").toString()
               << c.job.value(u"baseDate").toString();
        label += fields.join(QChar(0x1f)).toUtf8();
        labels.add(label);
    }
    products.add(wholeFile);
    QByteArray mixedEnds = wholeFile;
    mixedEnds.replace("\r\n", "\n");
    products.add(mixedEnds);
    conversion.add(oldFile);
    settings.add(userDatOf({}).left(40));
    cp932.add(defaultPhrases);

    phrases.add(providerString(QStringLiteral("保存方法の登録").toUtf8()) + "\\x\\x\\x\\x\\x" + defaultPhrases);
    phrases.add(providerString(QStringLiteral("品名の登録").toUtf8()) + providerString(QStringLiteral("おにぎり").toUtf8()) + "\\x\\x\\x\\x" + defaultPhrases);
    for (const Case &c : cases.mid(0, 4)) {
        QByteArray input;
        for (const QString &name : {QStringLiteral("old.BAK"), QStringLiteral("notes.txt"), c.product.productName + QStringLiteral(".bak")})
            input += providerString(name.toUtf8());
        input += providerString(c.product.productName.toUtf8()) + wholeFile + QByteArray("\x03\x01\x00\x01", 4);
        backups.add(input);
    }
    std::printf("fuzz_seeds: %lld cases into %s\n", static_cast<long long>(cases.size()), qPrintable(out));
    return 0;
}

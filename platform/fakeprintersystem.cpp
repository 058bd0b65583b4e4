#include "platform/fakeprintersystem.h"

#include "platform/fakeprinter.h"
#include "platform/fonts.h"
#include "platform/paperform.h"

namespace platform {

FakePrinterSystem::FakePrinterSystem()
{
    installFontSubstitutions();
}

FakePrinterSystem::~FakePrinterSystem() = default;

void FakePrinterSystem::addPrinter(const FakePrinterScript &script)
{
    m_printers.append({script, std::make_shared<FakePrinterRecord>()});
}

const FakePrinterRecord &FakePrinterSystem::record(const QString &name) const
{
    for (const Entry &entry : m_printers) {
        if (entry.script.name == name)
            return *entry.record;
    }
    return m_empty;
}

QList<PaperForm> FakePrinterSystem::labelPrinterForms()
{
    return numberPaperForms(labelPrinterMedia());
}

QStringList FakePrinterSystem::printerNames() const
{
    QStringList names;
    for (const Entry &entry : m_printers)
        names.append(entry.script.name);
    return names;
}

std::unique_ptr<Printer> FakePrinterSystem::open(const QString &deviceName)
{
    for (const Entry &entry : m_printers) {
        if (entry.script.name == deviceName) {
            ++entry.record->timesOpened;
            return std::make_unique<FakePrinter>(entry.script, entry.record);
        }
    }
    return nullptr;
}

} // namespace platform

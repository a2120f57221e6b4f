#include "platform/PortDescriptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QString>

#include "platform/PortTable.h"

namespace platform {
namespace {

constexpr char kByIdFolder[] = "/dev/serial/by-id";

// The file a path leads to, links followed; the path itself when it is not
// there.
std::string Resolved(const std::string& path) {
  const QString canonical = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
  return canonical.isEmpty() ? path : canonical.toStdString();
}

bool SameDevice(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return a == b || Resolved(a) == Resolved(b);
}

void Append(std::string& line, const std::string& part) {
  if (part.empty()) return;
  if (!line.empty()) line += "  ";
  line += part;
}

}  // namespace

PortSources SystemPortSources() { return SystemPortSources(QString::fromLatin1(kByIdFolder)); }

PortSources SystemPortSources(const QString& byIdFolder) {
  PortSources sources;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    sources.ports.push_back({info.systemLocation().toStdString(), info.description().toStdString(),
                             info.manufacturer().toStdString(),
                             info.serialNumber().toStdString()});
  }
  const QDir folder(byIdFolder);
  for (const QFileInfo& link :
       folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
    const QString target = link.canonicalFilePath();
    if (!target.isEmpty())
      sources.links.push_back({link.fileName().toStdString(), target.toStdString()});
  }
  return sources;
}

PortDescription DescribePort(int port, const SettingsStore* store, const PortSources& sources) {
  PortDescription d;
  d.port = port;
  d.devicePath = PortTable::DevicePath(port, store);
  if (d.devicePath.empty()) return d;
  for (const SerialPortFacts& facts : sources.ports) {
    if (!SameDevice(facts.devicePath, d.devicePath)) continue;
    d.description = facts.description;
    d.manufacturer = facts.manufacturer;
    d.serialNumber = facts.serialNumber;
    break;
  }
  for (const SerialLink& link : sources.links) {
    if (!SameDevice(link.target, d.devicePath)) continue;
    d.byIdName = link.name;
    break;
  }
  return d;
}

std::string PortItemText(const PortDescription& description) {
  std::string details;
  Append(details, description.devicePath);
  Append(details, description.byIdName);
  if (!description.description.empty() || !description.byIdName.empty()) {
    Append(details, description.description);
  } else {
    Append(details, description.manufacturer);
    Append(details, description.serialNumber);
  }
  std::string line = std::to_string(description.port);
  if (!details.empty()) line += "   " + details;
  return line;
}

}  // namespace platform

#pragma once
// What stands behind each COM number: the device the port table maps it to
// and what the system tells about that device (its /dev/serial/by-id name,
// the description, maker and serial number a USB cable reports), so that a
// port list can name the cable and not just a number.
//
// The sources are read once per use (SystemPortSources) and can be given
// by tests. Nothing here opens a device.
#include <string>
#include <vector>

class QString;

namespace platform {

class SettingsStore;

// One serial device as the system lists it.
struct SerialPortFacts {
  std::string devicePath;  // "/dev/ttyUSB0"
  std::string description;
  std::string manufacturer;
  std::string serialNumber;
};

// A stable name of a device: a link in /dev/serial/by-id and the device it
// leads to.
struct SerialLink {
  std::string name;    // "usb-FTDI_FT232R_USB_UART_A1234-if00-port0"
  std::string target;  // "/dev/ttyUSB0"
};

struct PortSources {
  std::vector<SerialPortFacts> ports;
  std::vector<SerialLink> links;
};

// The system's serial devices (QSerialPortInfo) and the links of the by-id
// folder (missing folder: none).
PortSources SystemPortSources();
PortSources SystemPortSources(const QString& byIdFolder);

struct PortDescription {
  int port = 0;
  std::string devicePath;  // empty: the number names no device
  std::string byIdName;
  std::string description;
  std::string manufacturer;
  std::string serialNumber;
};

// COM n's device by the port table (settings entries, then the fixed
// scheme) and what the sources tell of it. A device is matched by its path,
// or by the file both paths lead to.
PortDescription DescribePort(int port, const SettingsStore* store, const PortSources& sources);

// The line a port list shows for it: the number, three blanks, then the
// device, its by-id name and its description, two blanks apart, each left
// out when unknown ("1   /dev/ttyUSB0  usb-Quor_Cable-if00-port0  USB
// Serial Cable"). The maker and serial number stand in for a description
// only when there is neither a by-id name nor a description.
std::string PortItemText(const PortDescription& description);

}  // namespace platform

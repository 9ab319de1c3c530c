// SPDX-License-Identifier: MIT
#include "main_window/designs.h"

#include <QFile>
#include <string>

#include "runtime/runtime_error.h"

namespace main_window {

QByteArray LoadDesignFile(std::string_view fileName) {
  QFile file(QStringLiteral(":/designs/") +
             QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
  if (!file.open(QIODevice::ReadOnly)) {
    runtime::Raise(runtime::kLoadError, "the design file " + std::string(fileName) + " is missing");
  }
  return file.readAll();
}

runtime::DesignNode LoadDesign(std::string_view fileName) {
  const QByteArray text = LoadDesignFile(fileName);
  return runtime::ParseFormDesign(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                  fileName);
}

}  // namespace main_window

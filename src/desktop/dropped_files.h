#pragma once
// The local files a drag carries, as the drop rules of the editors take them.

#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

namespace desktop {

inline std::vector<std::string> droppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  return paths;
}

}  // namespace desktop

#include "core/app/context.h"

#include "core/app/message_log.h"

namespace ordalis::app {

void Context::message(int id, std::string_view detail, int level) {
  std::string text = strings.get(id);
  text.append(detail);
  log.log(text, level);
}

}  // namespace ordalis::app

#include "win32/session.h"

namespace qzt {

Session session;

}  // namespace qzt

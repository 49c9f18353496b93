// Where the user's settings file is: the XDG base-directory rule, apart from the
// environment so the tests can give it any.
#pragma once

#include <string>

// CONFIG_HOME/zeb/zeb.conf when `config_home` ($XDG_CONFIG_HOME) is an absolute path, else
// HOME/.config/zeb/zeb.conf; "" when `home` is no absolute path either. Either may be null.
std::string settings_path_for(const char* config_home, const char* home);

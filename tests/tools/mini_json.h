#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace plexion::test {

// Just enough JSON reading to check what plexion-tool dump writes (it has
// no true, false or null). Numbers
// keep their text so that tests can see how a real was spelled.
struct CJson {
    enum class Type { Number, String, Array, Object };
    Type type = Type::Number;
    std::string text;  // a string's value or a number's spelling
    std::vector<CJson> items;
    std::map<std::string, CJson> members;

    const CJson& operator[](const std::string& key) const;
    const CJson& operator[](std::size_t index) const;
    double Number() const;
    long long Integer() const;
};

// Throws std::runtime_error on malformed input or trailing text.
CJson ParseJson(const std::string& text);

}  // namespace plexion::test

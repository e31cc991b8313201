// objects/Object.cpp
#include "objects/Object.h"

#include <utility>

namespace zumek {

Object::Object(std::string id, std::string tag, std::string place, std::string parentId)
    : m_id(std::move(id)), m_tag(std::move(tag)), m_parentId(std::move(parentId)), m_place(std::move(place)) {}

} // namespace zumek

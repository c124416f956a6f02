#include "tests/support/json_mutations.h"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

// Every value below `node`, as JSON pointers.
void CollectPointers(const json& node, const std::string& pointer, std::vector<std::string>& pointers) {
  if (!pointer.empty()) pointers.push_back(pointer);
  if (node.is_object()) {
    for (const auto& [key, value] : node.items()) CollectPointers(value, pointer + "/" + key, pointers);
  } else if (node.is_array()) {
    for (size_t i = 0; i < node.size(); ++i)
      CollectPointers(node[i], pointer + "/" + std::to_string(i), pointers);
  }
}

json OtherType(const json& value) {
  if (value.is_string()) return 7;
  if (value.is_object()) return json::array();
  if (value.is_array()) return json::object();
  return "text";
}

// Puts `with(value)` in place of each value, or of each that `applies` accepts.
JsonMutation Replacing(std::string what, std::function<json(const json&)> with,
                       std::function<bool(const json&)> applies = nullptr) {
  return {std::move(what),
          [applies, with](json& document, const std::string& pointer) -> std::optional<std::string> {
            json& value = document[json::json_pointer(pointer)];
            if (applies && !applies(value)) return std::nullopt;
            value = with(value);
            return pointer;
          }};
}

}  // namespace

std::vector<JsonMutation> StructuralJsonMutations() {
  return {
      Replacing("a value of the wrong type", OtherType),
      Replacing("null", [](const json&) -> json { return nullptr; }),
      {"a missing member",
       [](json& document, const std::string& pointer) -> std::optional<std::string> {
         const json::json_pointer place(pointer);
         json& parent = document[place.parent_pointer()];
         if (!parent.is_object()) return std::nullopt;
         parent.erase(place.back());
         return pointer;
       }},
      {"an unknown member",
       [](json& document, const std::string& pointer) -> std::optional<std::string> {
         json& value = document[json::json_pointer(pointer)];
         if (!value.is_object()) return std::nullopt;
         value["extra"] = 1;
         return pointer + "/extra";
       }},
  };
}

JsonMutation ControlCharacterMutation() {
  return Replacing(
      "a control character", [](const json& text) -> json { return text.get<std::string>() + "\n"; },
      &json::is_string);
}

JsonMutation NumberMutation(const json& number) {
  return Replacing(
      "the number " + number.dump(), [number](const json&) { return number; }, &json::is_number);
}

void ExpectEveryMutationRefused(const JsonReadSubject& subject, const JsonMutation& mutation) {
  std::vector<std::string> pointers;
  CollectPointers(subject.document, "", pointers);
  for (const std::string& pointer : pointers) {
    json document = subject.document;
    const std::optional<std::string> place = mutation.change(document, pointer);
    if (!place) continue;
    const std::optional<std::string> error = subject.read(document.dump(2) + "\n");
    ASSERT_TRUE(error.has_value()) << mutation.what << " at " << pointer << " of " << subject.name
                                   << " was accepted";
    EXPECT_NE(error->find("Cannot read \"" + subject.name + "\" at " + *place + ": "), std::string::npos)
        << mutation.what << " at " << pointer << " of " << subject.name << " gave: " << *error;
  }
}

// Damage done to one value of a JSON document at a time, for the tests that a file
// reader refuses every damaged value and names its place:
//
//   const JsonReadSubject subject{"sample.cmplib", document, [](const std::string& text) {...}};
//   for (const JsonMutation& mutation : StructuralJsonMutations())
//     ExpectEveryMutationRefused(subject, mutation);
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// A change to the value at a JSON pointer: it gives the place the read must then name,
// or nothing when the change does not apply to that value.
struct JsonMutation {
  std::string what;
  std::function<std::optional<std::string>(nlohmann::json& document, const std::string& pointer)> change;
};

// A document to damage, the file name its reader is given, and the reader: the error
// it reports for a text, or nothing when it accepts the text.
struct JsonReadSubject {
  std::string name;
  nlohmann::json document;
  std::function<std::optional<std::string>(const std::string& text)> read;
};

// A value of another type, null, a missing member and an unknown member.
std::vector<JsonMutation> StructuralJsonMutations();
// A line break added to a text.
JsonMutation ControlCharacterMutation();
// `number` in place of a number.
JsonMutation NumberMutation(const nlohmann::json& number);

// Applies the mutation in turn to each value of a copy of the subject's document and
// expects each read to fail with "Cannot read "<name>" at <place>: ".
void ExpectEveryMutationRefused(const JsonReadSubject& subject, const JsonMutation& mutation);

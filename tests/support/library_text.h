// The bytes of one component inside a component library's text, as the program lays
// the file out (each component an element of "components", four spaces in), for tests
// that check a change to one component left every other byte of the file alone.
#pragma once

#include <string>

// The component's element, from its opening brace to its closing one; empty when the
// text holds no component of exactly that name.
std::string ComponentBytes(const std::string& libraryText, const std::string& name);
// The text with the component's element and the comma that joined it to its neighbour
// taken out; the text unchanged when it holds no such component.
std::string TextWithout(const std::string& libraryText, const std::string& name);

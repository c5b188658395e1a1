#pragma once

#include <QString>
#include <QXmlStreamReader>

#include <string_view>

namespace plax {

// Moves to the next child element of the current one; false at its end tag or on an error. Text
// between elements, comments and processing instructions are passed over; a DTD or an entity
// is an error ("a DTD or an entity, which FORMAT does not use"), so no entity is ever expanded.
bool NextChildElement(QXmlStreamReader& xml, const char* format);

// A Latin-1 text as XML 1.0 can hold it: control characters other than tab and line ends, which
// it has no place for, become "?".
QString XmlText(std::string_view latin1);

} // namespace plax

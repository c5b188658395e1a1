#pragma once

#include <QXmlStreamReader>

namespace plax {

// Moves to the next child element of the current one; false at its end tag or on an error. Text
// between elements, comments and processing instructions are passed over; a DTD or an entity
// is an error ("a DTD or an entity, which FORMAT does not use"), so no entity is ever expanded.
bool NextChildElement(QXmlStreamReader& xml, const char* format);

} // namespace plax

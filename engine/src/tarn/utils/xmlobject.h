#ifndef TARN_UTILS_XMLOBJECT_H
#define TARN_UTILS_XMLOBJECT_H

#include <memory>
#include <string>

#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/cxmlnode.h"

// Reading and writing whole objects (anything with Serialize( CXmlFileSys* ))
// from and to elements and files.

namespace tarn {

// The tree of an XML file; null when the file cannot be read or holds no
// element.
std::unique_ptr<CXmlNode> XmlParseFile( const std::string& fileName );

// The tree of a file whose root element must be named rootName. A file of
// another kind (a sprite where a level was asked for) gives null and an error
// naming the file and its root; wrongKind, when given, tells that case from
// a file that could not be read.
std::unique_ptr<CXmlNode> XmlParseFileOfKind( const std::string& fileName, const std::string& rootName,
                                              bool* wrongKind = nullptr );

// Writes the tree to the file, replacing it. False, with an error in the log,
// when the file cannot be written.
bool XmlWriteFile( const CXmlNode* root, const std::string& fileName );

// Reads the object's fields from node; nothing for a null node.
template <class T>
void XmlLoadObject( CXmlNode* node, T& object )
{
    if( !node )
        return;
    CXmlFileSys filesys( node, CXmlFileSys::READING );
    object.Serialize( &filesys );
}

// A new element named name holding the object's fields.
template <class T>
std::unique_ptr<CXmlNode> XmlSaveObject( T& object, const std::string& name )
{
    auto node = std::make_unique<CXmlNode>( name );
    CXmlFileSys filesys( node.get(), CXmlFileSys::WRITING );
    object.Serialize( &filesys );
    return node;
}

// Reads the object from the root element of the file, whatever its name.
// Returns false, leaving the object untouched, when the file cannot be read
// or has no element.
template <class T>
bool XmlLoadFromFile( T& object, const std::string& fileName )
{
    std::unique_ptr<CXmlNode> root = XmlParseFile( fileName );
    if( !root )
        return false;
    XmlLoadObject( root.get(), object );
    return true;
}

// Writes the object as the file's root element named rootName.
template <class T>
bool XmlSaveToFile( T& object, const std::string& fileName, const std::string& rootName )
{
    std::unique_ptr<CXmlNode> root = XmlSaveObject( object, rootName );
    return XmlWriteFile( root.get(), fileName );
}

} // namespace tarn

#endif

// The registration sequence of unit SYSTEM through pascal::Registrar.
#include "script/registration.h"

#include "platform/text_encoding.h"
#include "script/declaration_sequence.h"

namespace script {

namespace {

std::vector<std::string> splitElements(std::string_view text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            out.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

} // namespace

void registerDecls(pascal::Registrar& r, std::span<const Decl> rows)
{
    pascal::ClassDecl current;
    for (const auto& d : rows) {
        switch (d.kind) {
        case DeclKind::Routine:
            r.addRoutine(d.text);
            break;
        case DeclKind::Type:
            r.addType(d.name, d.text);
            break;
        case DeclKind::IntConst:
            r.addIntegerConstant(d.name, d.value);
            break;
        case DeclKind::TypedConst:
            if (platform::equalsNoCase(d.text, "String"))
                r.addTypedConstant(d.name, d.text, std::string(d.str));
            else
                r.addTypedConstant(d.name, d.text, d.value);
            break;
        case DeclKind::ExtendedConst:
            r.addExtendedConstant(d.name, extendedValue(static_cast<std::uint64_t>(d.value), d.aux));
            break;
        case DeclKind::NativeEnum:
            r.addNativeEnum(d.name, splitElements(d.text), d.value);
            break;
        case DeclKind::Class:
            current = r.addClass(d.name, d.text);
            break;
        case DeclKind::Method:
            if (current.valid())
                current.addMethod(d.text);
            break;
        case DeclKind::Property:
            if (current.valid())
                current.addProperty(d.name, d.text, static_cast<int>(d.access()));
            break;
        case DeclKind::DefaultProperty:
            if (current.valid())
                current.setDefaultProperty(d.name);
            break;
        case DeclKind::Variable:
            r.addVariable(d.name, d.text);
            break;
        }
    }
}

void registerSystemDeclarations(pascal::Registrar& registrar)
{
    for (const auto& group : systemDeclarations())
        registerDecls(registrar, group.decls);
}

void registerImportedVariables(pascal::Registrar& registrar,
                               const std::vector<ImportedVariable>& formVariables)
{
    registrar.addVariable("Self", "TForm");
    registrar.addVariable("Application", "TApplication");
    registrar.addVariable("InternalPlayList", "TInternalPlayList");
    for (const auto& v : formVariables)
        registrar.addVariable(v.name, v.className);
}

} // namespace script

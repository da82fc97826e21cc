#include "Pattern.h"

#include <vector>

namespace {

struct Atom
{
    enum class Kind
    {
        AnyRun,
        AnyOne,
        Digit,
        Literal,
        Set
    };

    Kind kind;
    QChar literal;
    bool negated;
    QStringView members; // a set's ranges and characters, without the brackets and the "!"
};

bool inSet(QStringView members, QChar c)
{
    qsizetype at = 0;
    while (at < members.size()) {
        if (at + 2 < members.size() && members[at + 1] == u'-') {
            if (members[at] <= c && c <= members[at + 2]) {
                return true;
            }
            at += 3;
        } else {
            if (members[at] == c) {
                return true;
            }
            ++at;
        }
    }
    return false;
}

bool matchesOne(const Atom& atom, QChar c)
{
    switch (atom.kind) {
    case Atom::Kind::AnyRun:
        return false;
    case Atom::Kind::AnyOne:
        return true;
    case Atom::Kind::Digit:
        return c >= u'0' && c <= u'9';
    case Atom::Kind::Literal:
        return c == atom.literal;
    case Atom::Kind::Set:
        return inSet(atom.members, c) != atom.negated;
    }
    return false;
}

Atom single(Atom::Kind kind, QChar literal = {})
{
    return Atom{kind, literal, false, {}};
}

std::vector<Atom> compile(QStringView pattern)
{
    std::vector<Atom> atoms;
    // Once a "[" has no "]" after it, no later one has either; remembering that keeps compiling linear.
    bool closingLeft = true;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const QChar c = pattern[at];
        if (c == u'[' && closingLeft) {
            const qsizetype close = pattern.indexOf(u']', at + 1);
            if (close >= 0) {
                const QStringView members = pattern.sliced(at + 1, close - at - 1);
                const bool negated = members.startsWith(u'!');
                atoms.push_back(Atom{Atom::Kind::Set, {}, negated, negated ? members.sliced(1) : members});
                at = close + 1;
                continue;
            }
            closingLeft = false;
        }
        if (c == u'*') {
            if (atoms.empty() || atoms.back().kind != Atom::Kind::AnyRun) {
                atoms.push_back(single(Atom::Kind::AnyRun));
            }
        } else if (c == u'?') {
            atoms.push_back(single(Atom::Kind::AnyOne));
        } else if (c == u'#') {
            atoms.push_back(single(Atom::Kind::Digit));
        } else {
            atoms.push_back(single(Atom::Kind::Literal, c));
        }
        ++at;
    }
    return atoms;
}

} // namespace

bool matchesPattern(QStringView text, QStringView pattern)
{
    const std::vector<Atom> atoms = compile(pattern);
    // Every atom but "*" takes exactly one character, so on a mismatch only the latest "*" needs to take one more:
    // an earlier "*" could not make a match possible that the latest one cannot.
    std::size_t atom = 0;
    qsizetype pos = 0;
    std::size_t afterStar = 0;
    qsizetype starPos = -1;
    while (pos < text.size()) {
        if (atom < atoms.size() && atoms[atom].kind == Atom::Kind::AnyRun) {
            ++atom;
            afterStar = atom;
            starPos = pos;
        } else if (atom < atoms.size() && matchesOne(atoms[atom], text[pos])) {
            ++atom;
            ++pos;
        } else if (starPos >= 0) {
            atom = afterStar;
            pos = ++starPos;
        } else {
            return false;
        }
    }
    while (atom < atoms.size() && atoms[atom].kind == Atom::Kind::AnyRun) {
        ++atom;
    }
    return atom == atoms.size();
}

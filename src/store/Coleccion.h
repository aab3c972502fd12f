#pragma once

#include <QString>

#include <memory>
#include <vector>

// The ordered collection of the record and search classes: 1-based positions,
// optional text keys, Add / Item / Count / Remove and for-each in insertion order.
// Elements are owned by the collection and keep their address while they stay in it.
template <class T>
class Coleccion {
    struct Entrada {
        QString clave;
        std::unique_ptr<T> valor;
    };

  public:
    // Appends `elemento` under `clave` (no key when empty) and returns it.
    T& Agregar(T elemento, const QString& clave = {}) {
        entradas_.push_back({clave, std::make_unique<T>(std::move(elemento))});
        return *entradas_.back().valor;
    }
    T& Item(int posición) { return *entradas_.at(size_t(posición - 1)).valor; }
    const T& Item(int posición) const { return *entradas_.at(size_t(posición - 1)).valor; }
    T& Item(const QString& clave) { return *entradas_.at(posiciónDe(clave)).valor; }
    const T& Item(const QString& clave) const { return *entradas_.at(posiciónDe(clave)).valor; }
    int Count() const { return int(entradas_.size()); }
    void Remove(int posición) { entradas_.erase(entradas_.begin() + (posición - 1)); }
    void Remove(const QString& clave) { entradas_.erase(entradas_.begin() + posiciónDe(clave)); }
    void Clear() { entradas_.clear(); }
    bool Contiene(const QString& clave) const { return buscar(clave) >= 0; }

    class Iterador {
      public:
        using Base = typename std::vector<Entrada>::const_iterator;
        explicit Iterador(Base b) : b_(b) {}
        T& operator*() const { return *b_->valor; }
        T* operator->() const { return b_->valor.get(); }
        Iterador& operator++() {
            ++b_;
            return *this;
        }
        bool operator!=(const Iterador& o) const { return b_ != o.b_; }
        bool operator==(const Iterador& o) const { return b_ == o.b_; }

      private:
        Base b_;
    };
    Iterador begin() const { return Iterador(entradas_.cbegin()); }
    Iterador end() const { return Iterador(entradas_.cend()); }

  private:
    int buscar(const QString& clave) const {
        if (clave.isEmpty()) return -1;
        for (size_t i = 0; i < entradas_.size(); ++i)
            if (entradas_[i].clave == clave) return int(i);
        return -1;
    }
    size_t posiciónDe(const QString& clave) const {
        const int i = buscar(clave);
        return i < 0 ? entradas_.size() : size_t(i);  // out of range: at() throws
    }
    std::vector<Entrada> entradas_;
};

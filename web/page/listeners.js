// The listeners of one kind of event a module tells the others about:
// `add(listener)` takes one, `tell(...what)` calls each in turn.
export function listeners() {
  const all = [];
  return {
    add: (listener) => { all.push(listener); },
    tell: (...what) => all.forEach((listener) => listener(...what)),
  };
}

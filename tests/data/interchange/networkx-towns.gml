graph [
  node [
    id 0
    label "Ash"
    population 5
  ]
  node [
    id 1
    label "Birch"
  ]
  node [
    id 2
    label "Cedar"
  ]
  node [
    id 3
    label "Dale"
  ]
  edge [
    source 0
    target 1
    weight 4
  ]
  edge [
    source 0
    target 2
    weight 2.5
  ]
  edge [
    source 1
    target 2
    weight 1
  ]
  edge [
    source 1
    target 3
    weight 5
  ]
  edge [
    source 2
    target 3
    weight 8
  ]
]

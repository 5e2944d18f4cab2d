//Maya ASCII 2020 scene
createNode mesh -n "m";
	setAttr ".vt[9223372036854775807]" 1 2 3;
